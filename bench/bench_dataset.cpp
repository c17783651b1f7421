// The data path against a server: 100,000 ware-card-like rows fetched by plain libpq (the
// floor), by a QSqlQuery loop, and into a client dataset with its model; then a sort index
// on a text field, Locate, LocateByText and applying 1,000 changed rows.
//
//   bench_dataset ["host=/tmp/kvbench dbname=korvel_template user=ZOLT password=tmvk"]
// Without an argument the server is KORVEL_TEST_PGHOST (a socket folder) as above.

#include "KV_ADODataSet.h"
#include "KV_ClientDataSet.h"
#include "KV_DataSetModel.h"
#include "KV_Provider.h"
#include "KV_db.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSqlQuery>
#include <QSqlRecord>

#include <libpq-fe.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int Rows = 100000;
constexpr int Runs = 3;

const char *const CreateTable = R"SQL(
DROP TABLE IF EXISTS zolt.bench_card;
CREATE TABLE zolt.bench_card (
    card_id integer PRIMARY KEY,
    waretype_id integer,
    storageplace_id integer,
    card_no integer,
    carddate date,
    registrationprice numeric(18,2),
    currentquantity numeric(18,2),
    minquantity numeric(18,2),
    taxpercent integer,
    waretypename varchar(60),
    waretypemark varchar(40),
    rackcode varchar(20)
);
INSERT INTO zolt.bench_card
SELECT g, g % 997, g % 7, g, date '2004-01-01' + (g % 1500),
       round((g % 10000) * 1.37, 2), round((g % 500) * 0.5, 2), 0, (g % 3) * 10,
       (array['Кабель','Усилитель','Разветвитель','Ответвитель','Коннектор'])[g % 5 + 1]
           || ' ' || md5(g::text),
       'РК-' || (g % 300), 'R' || (g % 40) || '-' || (g % 12)
FROM generate_series(1, 100000) g;
ANALYZE zolt.bench_card;
)SQL";

const char *const Select = "select * from zolt.bench_card";

QString param(const QString &conninfo, const QString &key)
{
    for (const QString &part : conninfo.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (part.startsWith(key + QLatin1Char('=')))
            return part.mid(key.size() + 1);
    }
    return {};
}

double bestOf(int runs, const std::function<void()> &work)
{
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        best = std::min(best, timer.nsecsElapsed() / 1e6);
    }
    return best;
}

void line(const char *what, double ms, double floor)
{
    if (floor > 0)
        std::printf("%-52s %9.1f ms   %5.2fx floor\n", what, ms, ms / floor);
    else
        std::printf("%-52s %9.1f ms\n", what, ms);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QString conninfo = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (conninfo.isEmpty()) {
        const QString host = qEnvironmentVariable("KORVEL_TEST_PGHOST");
        if (host.isEmpty()) {
            std::fprintf(stderr, "give a libpq connection string or set KORVEL_TEST_PGHOST\n");
            return 2;
        }
        conninfo =
            QStringLiteral("host=%1 dbname=korvel_template user=ZOLT password=tmvk").arg(host);
    }

    PGconn *raw = PQconnectdb(conninfo.toUtf8().constData());
    if (PQstatus(raw) != CONNECTION_OK) {
        std::fprintf(stderr, "%s", PQerrorMessage(raw));
        return 1;
    }
    PQclear(PQexec(raw, "SET client_min_messages = warning"));
    PGresult *made = PQexec(raw, CreateTable);
    if (PQresultStatus(made) != PGRES_COMMAND_OK && PQresultStatus(made) != PGRES_TUPLES_OK) {
        std::fprintf(stderr, "%s", PQerrorMessage(raw));
        return 1;
    }
    PQclear(made);

    // The floor: plain libpq, every value touched.
    size_t textBytes = 0;
    const double floor = bestOf(Runs, [&] {
        PGresult *r = PQexec(raw, Select);
        const int rows = PQntuples(r);
        const int columns = PQnfields(r);
        size_t bytes = 0;
        unsigned checksum = 0;
        for (int i = 0; i < rows; ++i) {
            for (int c = 0; c < columns; ++c) {
                if (PQgetisnull(r, i, c))
                    continue;
                bytes += size_t(PQgetlength(r, i, c));
                checksum += unsigned(PQgetvalue(r, i, c)[0]);
            }
        }
        textBytes = bytes;
        if (checksum == 0)
            std::printf("?");
        PQclear(r);
    });

    KvSession session;
    ConnectionParams params;
    params.host = param(conninfo, QStringLiteral("host"));
    params.port = param(conninfo, QStringLiteral("port")).toInt();
    params.database = param(conninfo, QStringLiteral("dbname"));
    params.userName = param(conninfo, QStringLiteral("user"));
    params.password = param(conninfo, QStringLiteral("password"));
    QString error;
    if (!session.open(params, &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }

    // What a Qt program does without this layer.
    const double qsql = bestOf(Runs, [&] {
        QSqlQuery query(session.database());
        query.setForwardOnly(true);
        query.exec(QString::fromLatin1(Select));
        const int columns = query.record().count();
        std::vector<QVariantList> rows;
        rows.reserve(Rows);
        while (query.next()) {
            QVariantList row;
            row.reserve(columns);
            for (int c = 0; c < columns; ++c)
                row << query.value(c);
            rows.push_back(std::move(row));
        }
    });

    TKV_ADODataSet sql(&session);
    sql.setCommandText(QString::fromLatin1(Select));
    sql.setUniqueFields(QStringLiteral("CARD_ID"));
    TKV_DataSetProvider provider(&sql);
    provider.setObjectName(QStringLiteral("dspBenchCard"));
    provider.setTableName(QStringLiteral("ZOLT.bench_card"));
    TKV_ClientDataSet cds;
    cds.setObjectName(QStringLiteral("cdsBenchCard"));
    cds.setDataProvider(&provider);
    TKV_DataSetModel model;
    const double open = bestOf(Runs, [&] {
        cds.Close();
        model.setDataSet(nullptr);
        cds.Open();
        model.setDataSet(&cds);
        if (model.rowCount() != Rows || model.data(model.index(Rows - 1, 9)).toString().isEmpty())
            std::printf("open: wrong rows\n");
    });

    // A sort index on a text field, as a grid's title marker builds it: the first one folds
    // the texts to lower case on the way, later ones reuse that.
    int run = 0;
    const double sortCold = bestOf(1, [&] {
        cds.AddIndex(QStringLiteral("iCold"), QStringLiteral("WARETYPENAME"), ixCaseInsensitive);
        cds.setIndexName(QStringLiteral("iCold"));
    });
    cds.setIndexName(QString());
    cds.DeleteIndex(QStringLiteral("iCold"));
    const double sort = bestOf(Runs, [&] {
        const QString name = QStringLiteral("iWARETYPENAME%1").arg(run++);
        cds.AddIndex(name, QStringLiteral("WARETYPENAME"), ixCaseInsensitive);
        cds.setIndexName(name);
    });

    // Locate on the indexed field: names taken from rows spread over the table.
    KvField *name = cds.FieldByName(QStringLiteral("WARETYPENAME"));
    QStringList wanted;
    for (int i = 0; i < 1000; ++i)
        wanted << name->valueAt((i * 97) % Rows).toString().toUpper();
    int found = 0;
    const double locate = bestOf(1, [&] {
        for (const QString &value : std::as_const(wanted))
            found += cds.Locate(QStringLiteral("WARETYPENAME"), value, loCaseInsensitive);
    });
    if (found != wanted.size())
        std::printf("Locate found %d of %lld\n", found, qlonglong(wanted.size()));
    // The same search over the default order (a scan), for comparison.
    cds.setIndexName(QString());
    const double scan = bestOf(1, [&] {
        for (int i = 0; i < 20; ++i)
            cds.Locate(QStringLiteral("WARETYPENAME"), wanted[i], loCaseInsensitive);
    });
    cds.setIndexName(QStringLiteral("iWARETYPENAME0"));

    QStringList prefixes;
    for (const QString &value : std::as_const(wanted))
        prefixes << value.left(14).toLower();
    found = 0;
    const double byText = bestOf(1, [&] {
        for (const QString &prefix : std::as_const(prefixes))
            found += cds.LocateByText(prefix);
    });
    if (found != prefixes.size())
        std::printf("LocateByText found %d of %lld\n", found, qlonglong(prefixes.size()));

    // 1,000 changed rows: edited one by one, then applied in one call and committed.
    KvField *price = cds.FieldByName(QStringLiteral("REGISTRATIONPRICE"));
    const size_t storageSorted = cds.memoryBytes();
    cds.DeleteIndex(QStringLiteral("iWARETYPENAME1"));
    cds.DeleteIndex(QStringLiteral("iWARETYPENAME2"));
    const double edit = bestOf(1, [&] {
        for (int i = 0; i < 1000; ++i) {
            cds.setCurrentRow((i * 89) % Rows);
            cds.Edit();
            price->setAsFloat(price->AsFloat() + 1);
            cds.Post();
        }
    });
    const int changes = cds.ChangeCount();
    int refused = 0;
    const double apply = bestOf(1, [&] {
        refused = cds.ApplyUpdates(-1);
        session.CommitWork();
    });

    cds.Close();
    cds.setIndexName(QString());
    cds.Open();
    const size_t storage = cds.memoryBytes();

    std::printf("%d rows of %s\n", Rows, Select);
    line("libpq PQexec, every value touched (the floor)", floor, 0);
    line("QSqlQuery into a vector of QVariant rows", qsql, floor);
    line("open client dataset + model", open, floor);
    std::printf("%-52s %9.1f ms (first, folding the texts: %.1f ms)\n",
                "sort index on a text field (case-insensitive)", sort, sortCold);
    std::printf("%-52s %9.2f us per call (scan: %.0f us)\n", "Locate on that index (1,000 calls)",
                locate * 1000.0 / 1000, scan * 1000.0 / 20);
    std::printf("%-52s %9.2f us per call\n", "LocateByText on that index (1,000 calls)",
                byText * 1000.0 / 1000);
    std::printf("%-52s %9.1f ms (edit+post of %d rows: %.1f ms, refused %d)\n",
                "apply 1,000 changed rows + commit", apply, changes, edit, refused);
    std::printf("%-52s %9.1f MB   %5.2fx the %.1f MB of values sent as text\n",
                "memory of the column storage", storage / 1048576.0,
                double(storage) / double(textBytes), textBytes / 1048576.0);
    std::printf("%-52s %9.1f MB   %5.2fx\n", "  with three sort indexes and the folded texts",
                storageSorted / 1048576.0, double(storageSorted) / double(textBytes));
    PQfinish(raw);
    return 0;
}
