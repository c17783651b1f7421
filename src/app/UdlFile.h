#pragma once

#include "KV_db.h"

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>

// Connection description files (OLE DB data-link files, "*.udl"): a line "[oledb]", a comment
// line and one line of "key=value" pairs separated by ";", values optionally in double
// quotes. Usually UTF-16LE with a byte-order mark; UTF-8 is read too. This program's
// provider is "PostgreSQL": "Data Source" is the host name or socket folder with an optional
// ":port", "Initial Catalog" the database, "Extended Properties" further libpq keywords.
// "User ID" and "Password" of a file are replaced at sign-in.
namespace Udl {

// The file's bytes as text, by its byte-order mark (UTF-16LE, UTF-16BE, UTF-8); without one,
// UTF-16LE when the second byte is 0, otherwise UTF-8.
QString decode(const QByteArray &bytes);

// The "key=value" pairs of the connection string in the text; keys as written, the first
// occurrence of a key (in any letter case) counts. Empty when there is no such line.
QMap<QString, QString> properties(const QString &text);

// The connection parameters of a connection string; false with the reason in *error when
// the provider is missing or not PostgreSQL.
bool toConnectionParams(const QMap<QString, QString> &properties, ConnectionParams *params,
                        QString *error);

// Reads a file: false with the reason (missing, unreadable, no connection string, unknown
// provider) in *error.
bool readFile(const QString &fileName, ConnectionParams *params, QString *error);

// The database name a file offers: its name up to the first "." ("SALES.OLD.udl" gives
// "SALES").
QString databaseNameOf(const QString &fileName);

// The database names of the "*.udl" files of a folder, sorted without regard to case,
// each once.
QStringList databaseNames(const QString &folder);

// The file of a database name: "<name>.udl" when there is one, otherwise the first file the
// name was taken from ("SALES" finds "SALES.OLD.udl"); "<name>.udl" when neither exists.
QString fileForDatabase(const QString &folder, const QString &database);

} // namespace Udl
