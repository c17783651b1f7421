-- Корвель: rows every installation holds, with or without demonstration data.
--
-- Run as "ZOLT" after 03_views.sql.
--
--   * placeholder rows with key 0 for the reference books whose lists hide
--     key 0 (a reference column holding 0 means "nothing chosen");
--   * the empty unit of measure 0 (short name one blank, name two blanks),
--     also the default measure of a ware's weight;
--   * currency 112, the default currency of documents and cards;
--   * construction-object types 1 system, 2 "Участок" (invoices are written
--     to it), 3 installation place;
--   * expense items 1 (materials, kept by the materials recomputation of a
--     month act) and 2 (brings percentage deductions 1 and 2 with it), and
--     those two deductions;
--   * ware groups 1 (materials) and 2 (equipment) that the summary acts read;
--   * ware kinds 1 (cable) and 6 (amplifier), the kinds with incoming control;
--   * the version stamp of module 2.
-- Afterwards every sequence is moved past the keys in its table.

\set ON_ERROR_STOP on

SET client_encoding = 'UTF8';
SET search_path = zolt, public;

-- Placeholders -------------------------------------------------------------

INSERT INTO zolt.COMPANY (COMPANY_ID, PARENT_ID, LOCATION_ID, KIND_OF_ACTIVITY_ID,
        BRANCH_ID, BODY_OF_MANAGEMENT_ID, FORM_OWNERSHIP_ID, DIRECTOR_ID, BUH_ID,
        COMPANY_CODE, COMPANY_NAME, BELARUS_SGN, VALID_TO)
VALUES (0, 0, 0, 0, 0, 0, 0, 0, 0, '0', ' ', 1, DATE '4712-12-31');

INSERT INTO zolt.PERSONNEL (PERSON_ID, COMPANY_ID, PERSNAME, FPERSNAME, DPERSNAME,
        DUTYPOST, FDUTYPOST, DDUTYPOST, VALID_TO)
VALUES (0, 0, ' ', ' ', ' ', ' ', ' ', ' ', DATE '4712-12-31');

INSERT INTO zolt.COMMISSION (COMMISSION_ID, PERSON1_ID, PERSON2_ID, PERSON3_ID, VALID_TO)
VALUES (0, 0, 0, 0, DATE '4712-12-31');

INSERT INTO zolt.KINDOFWORK (KINDOFWORK_ID, DESCR) VALUES (0, ' ');
INSERT INTO zolt.WAYOFWORK (WAYOFWORK_ID, DESCR) VALUES (0, ' ');
INSERT INTO zolt.EXPENSEDESCR (EXPENSEDESCR_ID, DESCR) VALUES (0, ' ');
INSERT INTO zolt.PERCENTDEDUCTION (PERCENTDEDUCTION_ID, DESCR, MAINPERCENT) VALUES (0, ' ', 0);

-- The empty unit of measure ------------------------------------------------

INSERT INTO zolt.MEASURE (MEASURE_ID, RECALCFACTOR, SHORTNAME, MEASURENAME, BASECODE)
VALUES (0, 1, ' ', '  ', NULL);

-- Currency -----------------------------------------------------------------

INSERT INTO zolt.CURDESCR (CUR_ID, SHORT_NAME, CUR_NAME)
VALUES (112, 'BYB', 'Белорусский рубль');

-- Construction-object types ------------------------------------------------

INSERT INTO zolt.CONSTROBJTYPE (CONSTROBJTYPE_ID, DESCR) VALUES
    (1, 'Система'),
    (2, 'Участок'),
    (3, 'Место установки');

-- Expense items and the deductions item 2 brings ----------------------------

INSERT INTO zolt.EXPENSEDESCR (EXPENSEDESCR_ID, DESCR) VALUES
    (1, 'Материалы'),
    (2, 'Заработная плата');

INSERT INTO zolt.PERCENTDEDUCTION (PERCENTDEDUCTION_ID, DESCR, MAINPERCENT) VALUES
    (1, 'Отчисления в ФСЗН', 34),
    (2, 'Страхование от несчастных случаев', 0.6);

-- Ware groups and the controlled ware kinds --------------------------------

INSERT INTO zolt.WAREGROUP (WAREGROUP_ID, WAREGROUPNAME, FASTCODE) VALUES
    (1, 'Материалы', 1),
    (2, 'Оборудование', 2);

INSERT INTO zolt.WAREKIND (WAREKIND_ID, WAREKIND_NAME, FASTCODE) VALUES
    (1, 'Кабель', 1),
    (6, 'Усилитель', 6);

-- Version stamp ------------------------------------------------------------

INSERT INTO zolt.DB_VERSION (MODULE_ID, DB_VERSION) VALUES (2, '200712140000');
