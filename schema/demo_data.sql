-- Корвель: demonstration data.
--
-- Run as "ZOLT" after 05_grants.sql, into a database meant for
-- demonstration or trying the program out. Not part of a working
-- installation.
--
-- A small cable-TV installer in Gomel: the own firm, two suppliers, a
-- customer and a subcontractor; one receipt of cable and amplifiers, one
-- invoice issuing part of it to the installation places of one site, one
-- month work act and one open delivery application. Keys are written out
-- so that the references read plainly; the sequences are moved past them
-- at the end. Stock, issued quantities and document sums are computed at
-- the end with the same rules the program uses.
--
-- The application user DEMO gets no working configuration row: the program
-- creates it at the first sign-in.

\set ON_ERROR_STOP on

SET client_encoding = 'UTF8';
SET search_path = zolt, public;


-- Currencies ---------------------------------------------------------------

INSERT INTO zolt.CURDESCR (CUR_ID, SHORT_NAME, CUR_NAME) VALUES
    (933, 'BYN', 'Белорусский рубль (с 2016 г.)'),
    (643, 'RUB', 'Российский рубль'),
    (840, 'USD', 'Доллар США'),
    (978, 'EUR', 'Евро');

-- Units of measure ---------------------------------------------------------

INSERT INTO zolt.MEASURE (MEASURE_ID, RECALCFACTOR, SHORTNAME, MEASURENAME, BASECODE) VALUES
    (1, 1,    'м',     'метр',       6),
    (2, 1,    'шт',    'штука',      796),
    (3, 1,    'кг',    'килограмм',  166),
    (4, 1,    'компл', 'комплект',   839),
    (5, 1000, 'км',    'километр',   8),
    (6, 1,    'упак',  'упаковка',   778),
    (7, 1000, 'т',     'тонна',      168);

-- Organisations (key MAX+1, code = key) -------------------------------------

INSERT INTO zolt.COMPANY (COMPANY_ID, PARENT_ID, LOCATION_ID, KIND_OF_ACTIVITY_ID, BRANCH_ID,
        BODY_OF_MANAGEMENT_ID, FORM_OWNERSHIP_ID, DIRECTOR_ID, BUH_ID, COMPANY_CODE,
        COMPANY_NAME, UNN, OKPO, LICENSE_NO, ADRESS_STREET, ADRESS_BOX, BELARUS_SGN,
        PHONE, CONTACT_INFO, VALID_TO) VALUES
    (1, 0, 0, 0, 0, 0, 0, 0, 0, '1',
     'ООО "Телесеть-Монтаж"', '490123457', '2874512300',
     'Лицензия № 02250/0431527 от 12.03.2019, Министерство связи',
     'г. Гомель, ул. Барыкина', 'д. 105, оф. 12', 1,
     '+375 232 45-17-20', 'Приемная: Соловей Т. А.', DATE '4712-12-31'),
    (2, 0, 0, 0, 0, 0, 0, 0, 0, '2',
     'ЗАО "Кабельные системы"', '100245781', '3012457800',
     NULL,
     'г. Минск, ул. Тимирязева', 'д. 65Б', 1,
     '+375 17 256-40-11', 'Отдел сбыта: Новик П. С.', DATE '4712-12-31'),
    (3, 0, 0, 0, 0, 0, 0, 0, 0, '3',
     'ООО "Телекомтехника"', '191578203', '5014782100',
     NULL,
     'г. Минск, пр-т Партизанский', 'д. 8, корп. 2', 1,
     '+375 17 395-22-08', 'Менеджер: Шевчук А. В.', DATE '4712-12-31'),
    (4, 0, 0, 0, 0, 0, 0, 0, 0, '4',
     'КУП "Гомельская городская телесеть"', '400078932', '0541278900',
     NULL,
     'г. Гомель, ул. Советская', 'д. 41', 1,
     '+375 232 70-31-00', 'Технический отдел', DATE '4712-12-31'),
    (5, 0, 0, 0, 0, 0, 0, 0, 0, '5',
     'ЧСУП "СтройМонтажСервис"', '491004562', '3987120400',
     'Аттестат соответствия № 0005712 от 20.01.2021',
     'г. Гомель, ул. Хатаевича', 'д. 9, кв. 3', 1,
     '+375 29 641-12-90', 'Прораб Бондарь Ю. Н.', DATE '4712-12-31');

-- Banks and accounts -------------------------------------------------------

INSERT INTO zolt.BANK (BANK_ID, BANKCODETYPE_ID, LOCATION_ID, BANK_CODE, BANK_NAME,
        ADRESS_STREET, ADRESS_BOX, NOTICE, VALID_TO) VALUES
    (1, 0, 0, '151501661', 'ОАО "Гомельский коммерческий банк"',
     'г. Гомель, ул. Ленина', 'д. 10', 'Обслуживает ООО "Телесеть-Монтаж"', DATE '4712-12-31'),
    (2, 0, 0, '153001749', 'ЗАО "Минский промышленный банк"',
     'г. Минск, ул. Мясникова', 'д. 32', NULL, DATE '4712-12-31'),
    (3, 0, 0, '151501602', 'ОАО "Полесский банк развития"',
     'г. Гомель, пр-т Победы', 'д. 4', NULL, DATE '4712-12-31');

INSERT INTO zolt.BANKACC (BANKACC_ID, COMPANY_ID, BANK_ID, BANKACCTYPE_ID, BANKACC, VALID_TO) VALUES
    (1, 1, 1, 0, '3012104560017', DATE '4712-12-31'),
    (2, 1, 3, 0, '3012207810452', DATE '4712-12-31'),
    (3, 2, 2, 0, '3012000457821', DATE '4712-12-31'),
    (4, 3, 2, 0, '3012000912043', DATE '4712-12-31'),
    (5, 4, 3, 0, '3604100000318', DATE '4712-12-31'),
    (6, 5, 1, 0, '3012104561230', DATE '4712-12-31');

-- Personnel ----------------------------------------------------------------

INSERT INTO zolt.PERSONNEL (PERSON_ID, COMPANY_ID, PERSNAME, FPERSNAME, DPERSNAME,
        DUTYPOST, FDUTYPOST, DDUTYPOST, PASSPORTSER, PASSPORTNO, PASSPMAKER,
        PASSPORTDATE, PHONE1, VALID_TO) VALUES
    (1, 1, 'Ковалёв Андрей Петрович', 'Ковалёва Андрея Петровича', 'Ковалёву Андрею Петровичу',
     'Директор', 'Директора', 'Директору', 'HB', '2457812', 'Советским РОВД г. Гомеля',
     DATE '2015-06-18', '+375 29 312-45-10', DATE '4712-12-31'),
    (2, 1, 'Лукашевич Ирина Викторовна', 'Лукашевич Ирины Викторовны', 'Лукашевич Ирине Викторовне',
     'Главный бухгалтер', 'Главного бухгалтера', 'Главному бухгалтеру', 'HB', '1987430',
     'Центральным РОВД г. Гомеля', DATE '2012-09-03', '+375 29 601-77-42', DATE '4712-12-31'),
    (3, 1, 'Жук Сергей Иванович', 'Жука Сергея Ивановича', 'Жуку Сергею Ивановичу',
     'Кладовщик', 'Кладовщика', 'Кладовщику', 'HB', '3104588', 'Железнодорожным РОВД г. Гомеля',
     DATE '2018-02-27', '+375 44 715-30-02', DATE '4712-12-31'),
    (4, 1, 'Мельник Олег Николаевич', 'Мельника Олега Николаевича', 'Мельнику Олегу Николаевичу',
     'Инженер', 'Инженера', 'Инженеру', 'HB', '2768105', 'Новобелицким РОВД г. Гомеля',
     DATE '2016-11-09', '+375 29 148-62-37', DATE '4712-12-31'),
    (5, 1, 'Гончаренко Виктор Степанович', 'Гончаренко Виктора Степановича',
     'Гончаренко Виктору Степановичу', 'Мастер', 'Мастера', 'Мастеру', 'HB', '1550326',
     'Советским РОВД г. Гомеля', DATE '2010-04-15', '+375 33 690-14-58', DATE '4712-12-31'),
    (6, 2, 'Новик Павел Сергеевич', 'Новика Павла Сергеевича', 'Новику Павлу Сергеевичу',
     'Директор', 'Директора', 'Директору', 'MP', '4120587', 'Партизанским РУВД г. Минска',
     DATE '2014-07-22', '+375 17 256-40-10', DATE '4712-12-31'),
    (7, 3, 'Шевчук Алла Владимировна', 'Шевчук Аллы Владимировны', 'Шевчук Алле Владимировне',
     'Директор', 'Директора', 'Директору', 'MP', '3012996', 'Первомайским РУВД г. Минска',
     DATE '2013-05-30', '+375 17 395-22-01', DATE '4712-12-31'),
    (8, 4, 'Савченко Николай Алексеевич', 'Савченко Николая Алексеевича',
     'Савченко Николаю Алексеевичу', 'Директор', 'Директора', 'Директору', 'HB', '0945120',
     'Центральным РОВД г. Гомеля', DATE '2009-10-12', '+375 232 70-31-01', DATE '4712-12-31'),
    (9, 4, 'Кравец Елена Михайловна', 'Кравец Елены Михайловны', 'Кравец Елене Михайловне',
     'Главный инженер', 'Главного инженера', 'Главному инженеру', 'HB', '2211874',
     'Советским РОВД г. Гомеля', DATE '2017-03-21', '+375 232 70-31-14', DATE '4712-12-31'),
    (10, 5, 'Бондарь Юрий Николаевич', 'Бондаря Юрия Николаевича', 'Бондарю Юрию Николаевичу',
     'Прораб', 'Прораба', 'Прорабу', 'HB', '2649031', 'Новобелицким РОВД г. Гомеля',
     DATE '2019-08-06', '+375 29 641-12-90', DATE '4712-12-31');

UPDATE zolt.COMPANY SET DIRECTOR_ID = 1, BUH_ID = 2 WHERE COMPANY_ID = 1;
UPDATE zolt.COMPANY SET DIRECTOR_ID = 6 WHERE COMPANY_ID = 2;
UPDATE zolt.COMPANY SET DIRECTOR_ID = 7 WHERE COMPANY_ID = 3;
UPDATE zolt.COMPANY SET DIRECTOR_ID = 8 WHERE COMPANY_ID = 4;
UPDATE zolt.COMPANY SET DIRECTOR_ID = 10 WHERE COMPANY_ID = 5;

-- Commissions (invoices default to commission 1) ---------------------------

INSERT INTO zolt.COMMISSION (COMMISSION_ID, PERSON1_ID, PERSON2_ID, PERSON3_ID, VALID_TO) VALUES
    (1, 4, 5, 3, DATE '4712-12-31'),
    (2, 1, 4, 9, DATE '4712-12-31'),
    (3, 5, 3, 0, DATE '2025-12-31');   -- expired, not listed any more

-- Storage places -----------------------------------------------------------

INSERT INTO zolt.STORAGEPLACE (STORAGEPLACE_ID, MATRESPPERSON_ID, STORENAME, NOTICE) VALUES
    (1, 3, 'Центральный склад', 'г. Гомель, ул. Барыкина, 105, корп. 3'),
    (2, 5, 'Склад участка "Советский"', 'Контейнер во дворе ул. Советская, 12');

-- Kinds and ways of work (invoices default to 1 and 1) ---------------------

INSERT INTO zolt.KINDOFWORK (KINDOFWORK_ID, DESCR) VALUES
    (1, 'Строительно-монтажные работы'),
    (2, 'Пусконаладочные работы'),
    (3, 'Ремонтные работы');

INSERT INTO zolt.WAYOFWORK (WAYOFWORK_ID, DESCR) VALUES
    (1, 'Подрядный'),
    (2, 'Хозяйственный');

-- Expense items and deductions beyond the fixed ones ------------------------

INSERT INTO zolt.EXPENSEDESCR (EXPENSEDESCR_ID, DESCR) VALUES
    (3, 'Эксплуатация машин и механизмов'),
    (4, 'Транспортные расходы'),
    (5, 'Накладные расходы');

INSERT INTO zolt.PERCENTDEDUCTION (PERCENTDEDUCTION_ID, DESCR, MAINPERCENT) VALUES
    (3, 'Плановые накопления', 8),
    (4, 'Инновационный фонд', 0.25);

-- Nomenclature -------------------------------------------------------------
-- Groups 1 (materials) and 2 (equipment) and kinds 1 (cable) and
-- 6 (amplifier) are fixed rows.

INSERT INTO zolt.WAREKIND (WAREKIND_ID, WAREKIND_NAME, FASTCODE) VALUES
    (2, 'Ответвитель', 2),
    (3, 'Разветвитель', 3),
    (4, 'Соединитель', 4),
    (5, 'Крепеж', 5);

INSERT INTO zolt.SUBWAREKIND (SUBWAREKIND_ID, WAREKIND_ID, MEASURE_ID, DESCR) VALUES
    (1, 1, 1, 'Кабель магистральный'),
    (2, 1, 1, 'Кабель абонентский'),
    (3, 6, 2, 'Усилитель магистральный'),
    (4, 6, 2, 'Усилитель домовой'),
    (5, 2, 2, 'Ответвитель абонентский'),
    (6, 3, 2, 'Разветвитель на 3 выхода'),
    (7, 4, 2, 'Разъем F'),
    (8, 5, 6, 'Скоба кабельная');

INSERT INTO zolt.WARETYPE (WARETYPE_ID, WAREKIND_ID, WAREGROUP_ID, MEASURE_ID, WARETYPENAME,
        WARETYPEMARK, NOTICE, FASTCODE, WEIGHT, WEIGHTMEASUREID) VALUES
    (1, 1, 1, 1, 'Кабель коаксиальный', 'RG-11', 'Магистральный, 75 Ом', 1, 0.12, 3),
    (2, 1, 1, 1, 'Кабель коаксиальный', 'RG-6', 'Абонентский, 75 Ом', 2, 0.06, 3),
    (3, 1, 1, 1, 'Кабель коаксиальный', 'QR-540', 'Магистральный, в оболочке PE', 3, 0.21, 3),
    (4, 6, 2, 2, 'Усилитель магистральный', 'УМ-862', '88-862 МГц, 2 выхода', 1, 2.40, 3),
    (5, 6, 2, 2, 'Усилитель домовой', 'УД-30', '47-862 МГц, 30 дБ', 2, 0.85, 3),
    (6, 2, 2, 2, 'Ответвитель абонентский', 'ОТ-2/12', '2 отвода, 12 дБ', 1, 0.10, 3),
    (7, 3, 2, 2, 'Разветвитель', 'РВ-3', '3 выхода', 1, 0.08, 3),
    (8, 4, 1, 2, 'Разъем F', 'F-11', 'Под кабель RG-11', 1, 0.01, 3),
    (9, 4, 1, 2, 'Разъем F', 'F-6', 'Под кабель RG-6', 2, 0.01, 3),
    (10, 5, 1, 6, 'Скоба кабельная', NULL, 'Упаковка 100 шт.', 1, 0.30, 3);

-- Incoming control patterns of the cable and the amplifier ------------------

INSERT INTO zolt.INQUALITYCTRL_PATTERN (INQUALITYCTRL_PATTERN_ID, WARETYPE_ID, MEASURINGDEVICE,
        QUOTAVALUE, PARAM1, PARAM2, PARAM3, PARAM4, STRPARAM1, STRPARAM2) VALUES
    (1, 1, 'ELMI-9', 1300, 0, -120, 345, NULL, '0.870 ГГц', NULL),
    (2, 4, 'ELMI-9', 33, NULL, NULL, NULL, 1, '88-860 МГц', 'отсутствует');

-- Construction objects: system -> subsystem -> site -> installation places -

INSERT INTO zolt.CONSTROBJTYPE (CONSTROBJTYPE_ID, DESCR) VALUES
    (4, 'Подсистема');

INSERT INTO zolt.CONSTROBJECT (CONSTROBJECT_ID, CONSTROBJECT_NAME, PARENTOBJECT_ID, NOTICE,
        CONSTROBJTYPE_ID) VALUES
    (1, 'Сеть КТВ г. Гомеля', NULL, 'Заказчик КУП "Гомельская городская телесеть"', 1),
    (2, 'Советский район', 1, NULL, 4),
    (3, 'ул. Советская', 2, 'Реконструкция 2026 г.', 2),
    (4, 'Магистраль Советская 12-14', 3, 'Кабельная канализация', 3),
    (5, 'Дом Советская 12', 3, '5 этажей, 4 подъезда', 3),
    (6, 'Дом Советская 14', 3, '9 этажей, 2 подъезда', 3),
    (7, 'Железнодорожный район', 1, NULL, 4),
    (8, 'ул. Крестьянская', 7, 'Проектирование', 2),
    (9, 'Дом Крестьянская 5', 8, NULL, 3);

-- Composition patterns ------------------------------------------------------

INSERT INTO zolt.PATTERNGROUP (PATTERNGROUP_ID, DESCR, PARENTGROUP_ID) VALUES
    (1, 'Жилые дома', NULL),
    (2, 'Пятиэтажные', 1),
    (3, 'Девятиэтажные', 1),
    (4, 'Магистрали', NULL);

INSERT INTO zolt.SW_PATTERN (SW_PATTERN_ID, DESCR, NOTICE, PATTERNGROUP_ID) VALUES
    (1, 'Дом 5 эт. 4 под.', 'Стояки по подъездам, усилитель на чердаке', 2),
    (2, 'Дом 9 эт. 2 под.', 'Стояки по подъездам, усилитель в щитовой', 3),
    (3, 'Магистраль 100 м', 'Участок магистрали между домами', 4);

INSERT INTO zolt.SW_PATTERNITEM (SW_PATTERNITEM_ID, SW_PATTERN_ID, SUBWAREKIND_ID, WAREKIND_ID,
        REQUIREDQUANT) VALUES
    (1, 1, 2, 1, 150),
    (2, 1, 1, 1, 40),
    (3, 1, 4, 6, 1),
    (4, 1, 5, 2, 4),
    (5, 1, 7, 4, 10),
    (6, 2, 2, 1, 220),
    (7, 2, 1, 1, 60),
    (8, 2, 4, 6, 1),
    (9, 2, 5, 2, 2),
    (10, 2, 7, 4, 8),
    (11, 3, 1, 1, 100),
    (12, 3, 3, 6, 1);

-- Required parts of the installation places ---------------------------------

INSERT INTO zolt.REQUIREDPART (REQUIREDPART_ID, WAREKIND_ID, SUBWAREKIND_ID, CONSTROBJECT_ID,
        REQUIREDQUANTITY, CURRENTQUANTITY, NOTICE) VALUES
    -- Магистраль Советская 12-14
    (1, 1, 1, 4, 300, 0, NULL),
    (2, 6, 3, 4, 2, 0, 'В колодцах К-3 и К-7'),
    -- Дом Советская 12 (from pattern 1)
    (3, 1, 2, 5, 150, 0, NULL),
    (4, 1, 1, 5, 40, 0, NULL),
    (5, 6, 4, 5, 1, 0, NULL),
    (6, 2, 5, 5, 4, 0, NULL),
    (7, 4, 7, 5, 10, 0, NULL),
    -- Дом Советская 14 (from pattern 2)
    (8, 1, 2, 6, 220, 0, NULL),
    (9, 1, 1, 6, 60, 0, NULL),
    (10, 6, 4, 6, 1, 0, NULL),
    (11, 2, 5, 6, 2, 0, NULL),
    (12, 4, 7, 6, 8, 0, NULL),
    -- Дом Крестьянская 5
    (13, 1, 2, 9, 180, 0, NULL),
    (14, 6, 4, 9, 1, 0, NULL);

-- Receipt: store order 1 with its cards --------------------------------------

INSERT INTO zolt.STOREORDER (STOREORDER_ID, STOREORDER_NO, ORDERDATE, SUPPLIER_ID,
        STORAGEPLACE_ID, CUR_ID, RELATEDDOC, NOTICE, ORDERSUM, STOREORDERTYPE_ID) VALUES
    (1, 1, DATE '2026-02-10', 2, 1, 112, 'ТТН ГА 4120587 от 10.02.2026',
     'Кабель и оборудование для ул. Советская', 0, NULL),
    (2, 2, DATE '2026-02-16', 3, 1, 112, 'ТТН ГБ 0071244 от 16.02.2026', NULL, 0, NULL);

INSERT INTO zolt.WARECARD (WARECARD_ID, WARETYPE_ID, STORAGEPLACE_ID, CARD_NO, CARDDATE,
        REGISTRATIONPRICE, TAXPERCENT, CURRENTQUANTITY, MINQUANTITY, CUR_ID, RACKCODE,
        CELLCODE, BARCODE, NOTICE, WARESTORETYPE_ID, WAREGRADE_ID, WARESTRUCTURE_ID,
        WAREDIMENSION_ID) VALUES
    (1, 1, 1, 1, DATE '2026-02-10', 2.35, 20, 0, 0, 112, 'С-1', '01', NULL, NULL, 0, 0, 0, 0),
    (2, 2, 1, 2, DATE '2026-02-10', 1.10, 20, 0, 0, 112, 'С-1', '02', NULL, NULL, 0, 0, 0, 0),
    (3, 4, 1, 3, DATE '2026-02-16', 420.00, 20, 0, 0, 112, 'С-2', '01', NULL, NULL, 0, 0, 0, 0),
    (4, 5, 1, 4, DATE '2026-02-16', 95.00, 20, 0, 0, 112, 'С-2', '02', NULL, NULL, 0, 0, 0, 0),
    (5, 6, 1, 5, DATE '2026-02-16', 6.80, 20, 0, 0, 112, 'С-3', '01', NULL, NULL, 0, 0, 0, 0),
    (6, 9, 1, 6, DATE '2026-02-10', 0.45, 20, 0, 0, 112, 'С-3', '04', NULL, NULL, 0, 0, 0, 0);

INSERT INTO zolt.STOREORDERITEM (STOREORDERITEM_ID, STOREORDER_ID, ITEM_NO, WARECARD_ID,
        QUANTITY, PURCHASEPRICE, TAXPERCENT, IMPORTERPRICE, NOTICE) VALUES
    (1, 1, 1, 1, 500, 2.35, 20, NULL, NULL),
    (2, 1, 2, 2, 1000, 1.10, 20, NULL, NULL),
    (3, 1, 3, 6, 200, 0.45, 20, NULL, NULL),
    (4, 2, 1, 3, 4, 420.00, 20, NULL, NULL),
    (5, 2, 2, 4, 6, 95.00, 20, NULL, NULL),
    (6, 2, 3, 5, 20, 6.80, 20, NULL, NULL);

-- Incoming control of the received RG-11 cable -------------------------------

INSERT INTO zolt.INQUALITYCTRL (INQUALITYCTRL_ID, STOREORDER_ID, STOREORDERITEM_ID, WAREKIND_ID,
        DOC_NO, DOC_DATE, PERSON_ID, AIRTEMPERATURE, QUANTITY, MEASURINGDEVICE, QUOTAVALUE,
        COMMISIONDECISION, PARAM1, PARAM2, PARAM3, PARAM4, STRPARAM1, STRPARAM2) VALUES
    (1, 1, 1, 1, 1, DATE '2026-02-10', 4, 18, 500, 'ELMI-9', 1300,
     'Соответствует норме', 0, -120, 345, NULL, '0.870 ГГц', NULL);

INSERT INTO zolt.INQ_CTRL_ITEM (IN_Q_CTRL_ID, INQUALITYCTRL_ID, PARAM1, PARAM2, PARAM3, PARAM4,
        PARAM5, NOTICE) VALUES
    (1, 1, 345, 4.41, 0.0128, 0, 0, 'Бухта 1'),
    (2, 1, 155, 1.97, 0.0127, 0, 0, 'Бухта 2');

-- Issue: invoice 1 to the site "ул. Советская" -------------------------------

INSERT INTO zolt.CONSTROBJINVOICE (CONSTROBJINVOICE_ID, INVOICETYPE_ID, CONSTROBJECT_ID, CUR_ID,
        CUSTOMERCOMP_ID, CONTRACTORCOMP_ID, WAYOFWORK_ID, KINDOFWORK_ID, COMMISSION_ID, DOCNO,
        INVOICEDATE, NOTICE, INVOICESUM) VALUES
    (1, 0, 3, 112, 4, 1, 1, 1, 1, 1, DATE '2026-03-05', 'Монтаж первой очереди', 0);

INSERT INTO zolt.CONSTROBJINVOICEITEM (CONSTROBJINVOICEITEM_ID, CONSTROBJINVOICE_ID, WARECARD_ID,
        REQUIREDPART_ID, CONSTROBJECT_ID, QUANTITY, ITEMCOST, NOTICE) VALUES
    (1, 1, 1, 1, 4, 300, 2.35, 'Кабель магистральный'),
    (2, 1, 3, 2, 4, 2, 420.00, 'Усилитель магистральный'),
    (3, 1, 2, 3, 5, 150, 1.10, 'Кабель абонентский'),
    (4, 1, 1, 4, 5, 40, 2.35, 'Кабель магистральный'),
    (5, 1, 4, 5, 5, 1, 95.00, 'Усилитель домовой'),
    (6, 1, 5, 6, 5, 4, 6.80, 'Ответвитель абонентский'),
    (7, 1, 6, 7, 5, 10, 0.45, 'Разъем F');

-- Month work act of March 2026 for the site ----------------------------------
-- Line 1: materials = the wares issued to the site's places in March,
-- split by ware group; line 2: wages with deductions 1 and 2.

INSERT INTO zolt.MONTHWORKACT (MONTHWORKACT_ID, KINDOFWORK_ID, WAYOFWORK_ID, CONSTROBJECT_ID,
        CUSTOMERCOMP_ID, CONTRACTORCOMP_ID, CUSTOMERPERSON_ID, CONTRACTORPERSON_ID, ACT_DATE,
        PERIOD_DATE, DOCNO, DOC_SUM, TAX_PRC) VALUES
    (1, 1, 1, 3, 4, 1, 9, 5, DATE '2026-03-31', DATE '2026-03-01', 1, 0, 20);

INSERT INTO zolt.EXPENSELST (EXPENSELST_ID, MONTHWORKACT_ID, EXPENSEDESCR_ID, EXPENSELSTNO,
        EXPENSESUM, TAX_PRC, TAXSGN) VALUES
    (1, 1, 1, 1, 0, 20, 1),
    (2, 1, 2, 2, 3200.00, 0, 1),
    (3, 1, 4, 3, 180.00, 20, 0);

INSERT INTO zolt.PERCDEDUCTIONLST (PERCDEDUCTIONLST_ID, EXPENSELST_ID, PERCENTDEDUCTION_ID,
        PERCDEDUCTION_SUM) VALUES
    (1, 2, 1, 0),
    (2, 2, 2, 0);

-- Delivery application for the next site, still open -------------------------

INSERT INTO zolt.DELIVERYAPPLICATION (DELIVERYAPPLICATION_ID, DOC_NO, DOC_DATE, SUPPLIER_ID,
        CUR_ID, PERSON_ID, STATE_SGN, ADD_DOC_NO, ADD_DOC_INFO, DOC_SUM, TAX_SUM) VALUES
    (1, 1, DATE '2026-03-20', 2, 112, 3, 1, NULL, 'п/п № 118 от 21.03.2026', 0, 0);

INSERT INTO zolt.DELIVERYAPPLST (DELIVERYAPPLST_ID, DELIVERYAPPLICATION_ID, WARETYPE_ID, WARECOST,
        TAX_PERC, SHORTNOTICE) VALUES
    (1, 1, 2, 1.10, 20, NULL),
    (2, 1, 5, 95.00, 20, 'Под заказ');

INSERT INTO zolt.DELIVERYAPPBYCONSTROBJ (DELIVERYAPPLST_ID, CONSTROBJECT_ID, WAREQUANTITY) VALUES
    (1, 9, 180),
    (1, 6, 70),
    (2, 9, 1);

-- Application user DEMO -------------------------------------------------------

INSERT INTO zolt.APP_USER (USER_ID, STATUS_ID, LOGIN_NAME, CREATED, VALID_TO, NOTICE) VALUES
    (1, 1, 'DEMO', DATE '2026-01-12', DATE '4712-12-31', 'Демонстрационный пользователь');

-- Stored derived values, computed as the program computes them ---------------

-- card stock: received minus issued
UPDATE zolt.WARECARD c
   SET CURRENTQUANTITY =
         coalesce((SELECT sum(QUANTITY) FROM zolt.STOREORDERITEM i WHERE i.WARECARD_ID = c.WARECARD_ID), 0)
       - coalesce((SELECT sum(QUANTITY) FROM zolt.CONSTROBJINVOICEITEM i WHERE i.WARECARD_ID = c.WARECARD_ID), 0);

-- issued quantity of a required part: its invoice items from cards of its kind
UPDATE zolt.REQUIREDPART rp
   SET CURRENTQUANTITY = coalesce((
         SELECT sum(ii.QUANTITY)
           FROM zolt.CONSTROBJINVOICEITEM ii
           JOIN zolt.WARECARD c ON c.WARECARD_ID = ii.WARECARD_ID
           JOIN zolt.WARETYPE t ON t.WARETYPE_ID = c.WARETYPE_ID
          WHERE ii.CONSTROBJECT_ID = rp.CONSTROBJECT_ID
            AND ii.REQUIREDPART_ID = rp.REQUIREDPART_ID
            AND t.WAREKIND_ID = rp.WAREKIND_ID), 0);

-- store-order sums: quantity x purchase price, without tax
UPDATE zolt.STOREORDER s
   SET ORDERSUM = coalesce((SELECT sum(coalesce(QUANTITY, 0) * coalesce(PURCHASEPRICE, 0))
                              FROM zolt.STOREORDERITEM i WHERE i.STOREORDER_ID = s.STOREORDER_ID), 0);

-- invoice sums: quantity x item cost
UPDATE zolt.CONSTROBJINVOICE v
   SET INVOICESUM = coalesce((SELECT sum(coalesce(QUANTITY, 0) * coalesce(ITEMCOST, 0))
                                FROM zolt.CONSTROBJINVOICEITEM i
                               WHERE i.CONSTROBJINVOICE_ID = v.CONSTROBJINVOICE_ID), 0);

-- materials line of the act and its split by ware group
INSERT INTO zolt.WAREEXPENSELST (WAREEXPENSELST_ID, EXPENSELST_ID, WAREGROUP_ID, SUMVALUE)
SELECT row_number() OVER (ORDER BY g.WAREGROUP_ID), 1, g.WAREGROUP_ID,
       sum(ii.QUANTITY * ii.ITEMCOST)
  FROM zolt.CONSTROBJINVOICE inv
  JOIN zolt.CONSTROBJINVOICEITEM ii ON ii.CONSTROBJINVOICE_ID = inv.CONSTROBJINVOICE_ID
  JOIN zolt.WARECARD c ON c.WARECARD_ID = ii.WARECARD_ID
  JOIN zolt.WARETYPE t ON t.WARETYPE_ID = c.WARETYPE_ID
  JOIN zolt.WAREGROUP g ON g.WAREGROUP_ID = t.WAREGROUP_ID
 WHERE inv.INVOICEDATE BETWEEN DATE '2026-03-01' AND DATE '2026-03-31'
   AND ii.CONSTROBJECT_ID IN (4, 5, 6)
 GROUP BY g.WAREGROUP_ID;

UPDATE zolt.EXPENSELST
   SET EXPENSESUM = (SELECT sum(SUMVALUE) FROM zolt.WAREEXPENSELST WHERE EXPENSELST_ID = 1)
 WHERE EXPENSELST_ID = 1;

-- deductions: stored to two decimals
UPDATE zolt.PERCDEDUCTIONLST l
   SET PERCDEDUCTION_SUM = (SELECT round(e.EXPENSESUM * p.MAINPERCENT / 100, 2)
                              FROM zolt.EXPENSELST e, zolt.PERCENTDEDUCTION p
                             WHERE e.EXPENSELST_ID = l.EXPENSELST_ID
                               AND p.PERCENTDEDUCTION_ID = l.PERCENTDEDUCTION_ID);

-- act sum: all lines plus all deductions, each deduction in whole units
UPDATE zolt.MONTHWORKACT a
   SET DOC_SUM = coalesce((SELECT sum(EXPENSESUM) FROM zolt.EXPENSELST e
                            WHERE e.MONTHWORKACT_ID = a.MONTHWORKACT_ID), 0)
               + coalesce((SELECT sum(round(e.EXPENSESUM * p.MAINPERCENT / 100, 0))
                             FROM zolt.EXPENSELST e
                             JOIN zolt.PERCDEDUCTIONLST l ON l.EXPENSELST_ID = e.EXPENSELST_ID
                             JOIN zolt.PERCENTDEDUCTION p ON p.PERCENTDEDUCTION_ID = l.PERCENTDEDUCTION_ID
                            WHERE e.MONTHWORKACT_ID = a.MONTHWORKACT_ID), 0);

-- application sums: rounded sum and tax over its lines
UPDATE zolt.DELIVERYAPPLICATION d
   SET DOC_SUM = coalesce(x.S, 0),
       TAX_SUM = coalesce(x.T, 0)
  FROM (SELECT l.DELIVERYAPPLICATION_ID,
               round(sum(l.WARECOST * q.Q), 2) AS S,
               round(sum(l.WARECOST * q.Q * l.TAX_PERC / 100), 2) AS T
          FROM zolt.DELIVERYAPPLST l
          JOIN (SELECT DELIVERYAPPLST_ID, sum(WAREQUANTITY) AS Q
                  FROM zolt.DELIVERYAPPBYCONSTROBJ GROUP BY DELIVERYAPPLST_ID) q
            ON q.DELIVERYAPPLST_ID = l.DELIVERYAPPLST_ID
         GROUP BY l.DELIVERYAPPLICATION_ID) x
 WHERE x.DELIVERYAPPLICATION_ID = d.DELIVERYAPPLICATION_ID;
