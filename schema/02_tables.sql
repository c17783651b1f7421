-- Корвель: tables, sequences, keys and indexes of the schema zolt.
--
-- Run as "ZOLT" after 01_roles_schema.sql.
--
-- Conventions kept throughout:
--   * keys are whole numbers (integer), one key column <TABLE>_ID per table;
--     the client takes new keys itself, from the sequence named with the
--     table or as MAX+1 - no column relies on a default or trigger for its key;
--   * a reference column holding 0 means "nothing chosen"; reference tables
--     that lists hide at key 0 carry a placeholder row 0 (04_fixed_rows.sql);
--   * money, prices, quantities and stored sums are numeric(18,2), the width
--     the client binds them with; tax percentages are whole numbers;
--   * dates are calendar days (date);
--   * text columns are varchar at least as wide as the client's fields.
--   * stored derived values (card stock, issued quantities, document sums)
--     are recomputed and written by the client; the database keeps no
--     trigger for them.
--
-- Foreign keys are declared only where the client deletes the children
-- before the parent and never writes 0 into the column, or where the
-- database is expected to refuse a delete (a ware card still used by items,
-- a ware type still used by cards, application lines or patterns). Every
-- other reference is guarded by the client before a delete (IsReferenced).

\set ON_ERROR_STOP on

SET client_encoding = 'UTF8';
SET search_path = zolt, public;

------------------------------------------------------------------------------
-- Shell: users, working configuration, schema version, event log, rights
------------------------------------------------------------------------------

-- Application users: one row per database account that uses the system.
-- New ids are MAX(USER_ID)+1; sign-in takes the row with the latest VALID_TO.
CREATE TABLE zolt.APP_USER (
    USER_ID     integer      NOT NULL,
    STATUS_ID   integer,                 -- 1 for users added by the program
    LOGIN_NAME  varchar(40),             -- database account, upper case
    CREATED     date,
    VALID_TO    date,                    -- 31/12/4712 for current users
    NOTICE      varchar(80),
    CONSTRAINT PK_APP_USER PRIMARY KEY (USER_ID)
);
CREATE INDEX IX_APP_USER_LOGIN ON zolt.APP_USER (LOGIN_NAME, VALID_TO);

-- Working configuration, one row per application user. Key MAX+1.
CREATE TABLE zolt.MAIN_CFG (
    CFG_ID             integer     NOT NULL,
    USER_ID            integer,          -- APP_USER, -1 for an account without application user
    WORK_DATE          date,
    BANKACC_ID         integer,          -- BANKACC of the own company
    COMPANY_ID         integer,          -- own company
    CUSTOMERCOMP_ID    integer,
    CONTRACTORCOMP_ID  integer,
    KINDOFWORK_ID      integer,
    WAYOFWORK_ID       integer,
    TAX_PERCENT        integer,          -- 0, 10, 18 or 20
    CUR_ID             integer,          -- 112
    STORAGE_PLACE_ID   integer,          -- STORAGEPLACE
    PERIODFROMTYPE     integer,          -- 0..3
    PERIODTOTYPE       integer,          -- 0..3
    MAINSUPPLIER_ID    integer,
    CONSTRAINT PK_MAIN_CFG PRIMARY KEY (CFG_ID)
);
CREATE INDEX IX_MAIN_CFG_USER ON zolt.MAIN_CFG (USER_ID);

-- Version stamp of the schema per module; this program is module 2.
CREATE TABLE zolt.DB_VERSION (
    MODULE_ID   integer      DEFAULT 1 NOT NULL,
    DB_VERSION  varchar(12)  NOT NULL,   -- YYYYMMDDHHMI
    CONSTRAINT XPKDB_VERSION PRIMARY KEY (MODULE_ID, DB_VERSION)
);

-- Server-side event log. No part of the program writes it; rows of a
-- deleted application user are removed with the user.
CREATE TABLE zolt.EVENTLOG (
    EVENTLOG_ID  integer      NOT NULL,
    USER_ID      integer,
    EVENT_DATE   timestamp(0),
    EVENT_INFO   varchar(255),
    CONSTRAINT PK_EVENTLOG PRIMARY KEY (EVENTLOG_ID)
);
CREATE INDEX IX_EVENTLOG_USER ON zolt.EVENTLOG (USER_ID);
CREATE SEQUENCE zolt.EventLog_Id_Seq;

-- User groups and rights. No window reads or writes them; the rows of a
-- deleted user are removed from USRGR_LST and USROPER_LST.
CREATE TABLE zolt.TSK_OPERATION (
    OPERAT_ID  integer      NOT NULL,
    TASK_ID    integer,
    STATUS_ID  integer,
    NOTICE     varchar(80),
    CONSTRAINT PK_TSK_OPERATION PRIMARY KEY (OPERAT_ID)
);

CREATE TABLE zolt.GROUP_USR (
    GROUP_ID   integer      NOT NULL,
    STATUS_ID  integer,
    DESCR      varchar(40),
    CONSTRAINT PK_GROUP_USR PRIMARY KEY (GROUP_ID)
);

CREATE TABLE zolt.GROUP_OPER_LST (
    GROUP_ID   integer  NOT NULL,
    OPERAT_ID  integer  NOT NULL,
    DEL_SIGN   integer,
    CONSTRAINT PK_GROUP_OPER_LST PRIMARY KEY (GROUP_ID, OPERAT_ID)
);

CREATE TABLE zolt.USRGR_LST (
    GROUP_ID  integer  NOT NULL,
    USER_ID   integer  NOT NULL,
    CONSTRAINT PK_USRGR_LST PRIMARY KEY (GROUP_ID, USER_ID)
);
CREATE INDEX IX_USRGR_LST_USER ON zolt.USRGR_LST (USER_ID);

CREATE TABLE zolt.USROPER_LST (
    USER_ID    integer  NOT NULL,
    OPERAT_ID  integer  NOT NULL,
    DEL_SIGN   integer,
    CONSTRAINT PK_USROPER_LST PRIMARY KEY (USER_ID, OPERAT_ID)
);

------------------------------------------------------------------------------
-- Reference books
------------------------------------------------------------------------------

-- Organisations: the own company, customers, contractors, suppliers.
-- Key MAX(COMPANY_ID)+1 (no sequence); row 0 is the placeholder.
CREATE TABLE zolt.COMPANY (
    COMPANY_ID             integer      NOT NULL,
    PARENT_ID              integer,
    LOCATION_ID            integer,
    KIND_OF_ACTIVITY_ID    integer,
    BRANCH_ID              integer,
    BODY_OF_MANAGEMENT_ID  integer,
    FORM_OWNERSHIP_ID      integer,
    DIRECTOR_ID            integer,      -- PERSONNEL, 0 = none
    BUH_ID                 integer,      -- PERSONNEL, 0 = none
    COMPANY_CODE           varchar(20),
    COMPANY_NAME           varchar(80),
    UNN                    varchar(10),
    OKPO                   varchar(10),
    LICENSE_NO             varchar(80),
    ADRESS_STREET          varchar(80),
    ADRESS_BOX             varchar(20),
    BELARUS_SGN            integer,      -- resident: 1 yes, 0 no
    PHONE                  varchar(20),
    CONTACT_INFO           varchar(80),
    VALID_TO               date,
    CONSTRAINT PK_COMPANY PRIMARY KEY (COMPANY_ID)
);
CREATE INDEX IX_COMPANY_NAME ON zolt.COMPANY (COMPANY_NAME);

CREATE TABLE zolt.BANK (
    BANK_ID          integer       NOT NULL,
    BANKCODETYPE_ID  integer,
    LOCATION_ID      integer,
    BANK_CODE        varchar(10),
    BANK_NAME        varchar(120),
    ADRESS_STREET    varchar(80),
    ADRESS_BOX       varchar(20),
    NOTICE           varchar(60),
    VALID_TO         date,
    CONSTRAINT PK_BANK PRIMARY KEY (BANK_ID)
);
CREATE SEQUENCE zolt.Bank_Id_Seq;

-- Bank accounts of organisations.
CREATE TABLE zolt.BANKACC (
    BANKACC_ID      integer      NOT NULL,
    COMPANY_ID      integer,
    BANK_ID         integer,
    BANKACCTYPE_ID  integer,
    BANKACC         varchar(34),   -- account number; room for an IBAN
    VALID_TO        date,
    CONSTRAINT PK_BANKACC PRIMARY KEY (BANKACC_ID)
);
CREATE INDEX IX_BANKACC_COMPANY ON zolt.BANKACC (COMPANY_ID);
CREATE INDEX IX_BANKACC_BANK ON zolt.BANKACC (BANK_ID);
CREATE SEQUENCE zolt.BankAcc_ID_Seq;

-- Units of measure; row 0 is the empty unit (short name one blank).
CREATE TABLE zolt.MEASURE (
    MEASURE_ID    integer        NOT NULL,
    RECALCFACTOR  numeric(18,6),
    SHORTNAME     varchar(10),
    MEASURENAME   varchar(30),
    BASECODE      integer,
    CONSTRAINT PK_MEASURE PRIMARY KEY (MEASURE_ID)
);
CREATE SEQUENCE zolt.Measure_ID_SEQ;

-- Personnel of all organisations; names and posts in three grammatical cases.
CREATE TABLE zolt.PERSONNEL (
    PERSON_ID     integer      NOT NULL,
    COMPANY_ID    integer,
    PERSNAME      varchar(30),   -- nominative
    FPERSNAME     varchar(30),   -- genitive
    DPERSNAME     varchar(30),   -- dative
    DUTYPOST      varchar(20),
    FDUTYPOST     varchar(20),
    DDUTYPOST     varchar(20),
    PASSPORTSER   varchar(10),
    PASSPORTNO    varchar(10),
    PASSPMAKER    varchar(40),
    PASSPORTDATE  date,
    PHONE1        varchar(20),
    VALID_TO      date,          -- in force until; the directors list of the
                                 -- working configuration reads it
    CONSTRAINT PK_PERSONNEL PRIMARY KEY (PERSON_ID)
);
CREATE INDEX IX_PERSONNEL_COMPANY ON zolt.PERSONNEL (COMPANY_ID);
CREATE SEQUENCE zolt.Person_Id_Seq;

-- Acceptance commissions of three persons, used by invoices.
CREATE TABLE zolt.COMMISSION (
    COMMISSION_ID  integer  NOT NULL,
    PERSON1_ID     integer,
    PERSON2_ID     integer,
    PERSON3_ID     integer,
    VALID_TO       date,
    CONSTRAINT PK_COMMISSION PRIMARY KEY (COMMISSION_ID)
);
CREATE SEQUENCE zolt.Commission_Id_Seq;

CREATE TABLE zolt.KINDOFWORK (
    KINDOFWORK_ID  integer      NOT NULL,
    DESCR          varchar(30),
    CONSTRAINT PK_KINDOFWORK PRIMARY KEY (KINDOFWORK_ID)
);
CREATE SEQUENCE zolt.KindOfWork_Id_Seq;

CREATE TABLE zolt.WAYOFWORK (
    WAYOFWORK_ID  integer      NOT NULL,
    DESCR         varchar(30),
    CONSTRAINT PK_WAYOFWORK PRIMARY KEY (WAYOFWORK_ID)
);
CREATE SEQUENCE zolt.WayOfWork_ID_SEQ;

-- Expense items of work acts: 1 = materials, 2 = the item that brings
-- percentage deductions 1 and 2 with it.
CREATE TABLE zolt.EXPENSEDESCR (
    EXPENSEDESCR_ID  integer      NOT NULL,
    DESCR            varchar(40),
    CONSTRAINT PK_EXPENSEDESCR PRIMARY KEY (EXPENSEDESCR_ID)
);
CREATE SEQUENCE zolt.ExpenseDescr_Id_Seq;

CREATE TABLE zolt.PERCENTDEDUCTION (
    PERCENTDEDUCTION_ID  integer       NOT NULL,
    DESCR                varchar(40),
    MAINPERCENT          numeric(9,4),   -- the rate in percent, e.g. 12.5
    CONSTRAINT PK_PERCENTDEDUCTION PRIMARY KEY (PERCENTDEDUCTION_ID)
);
CREATE SEQUENCE zolt.PercentDeduction_ID_SEQ;

CREATE TABLE zolt.STORAGEPLACE (
    STORAGEPLACE_ID   integer      NOT NULL,
    MATRESPPERSON_ID  integer,     -- PERSONNEL, materially responsible person
    STORENAME         varchar(30),
    NOTICE            varchar(60),
    CONSTRAINT PK_STORAGEPLACE PRIMARY KEY (STORAGEPLACE_ID)
);
CREATE INDEX IX_STORAGEPLACE_PERSON ON zolt.STORAGEPLACE (MATRESPPERSON_ID);
CREATE SEQUENCE zolt.Storage_Place_Id_Seq;

-- Currencies (read only for the program); 112 is the default currency.
CREATE TABLE zolt.CURDESCR (
    CUR_ID      integer      NOT NULL,
    SHORT_NAME  varchar(10),
    CUR_NAME    varchar(40),
    CONSTRAINT PK_CURDESCR PRIMARY KEY (CUR_ID)
);

------------------------------------------------------------------------------
-- Warehouse
------------------------------------------------------------------------------

-- Ware groups; group 1 is read as materials and group 2 as equipment.
CREATE TABLE zolt.WAREGROUP (
    WAREGROUP_ID   integer      NOT NULL,
    WAREGROUPNAME  varchar(30),
    FASTCODE       integer,     -- first segment of the nomenclature number
    CONSTRAINT PK_WAREGROUP PRIMARY KEY (WAREGROUP_ID)
);
CREATE SEQUENCE zolt.WAREGROUP_ID_SEQ;

-- Ware kinds; kind 1 (cable) and kind 6 (amplifier) have incoming control.
CREATE TABLE zolt.WAREKIND (
    WAREKIND_ID    integer      NOT NULL,
    WAREKIND_NAME  varchar(30),
    FASTCODE       integer,     -- second segment of the nomenclature number
    CONSTRAINT PK_WAREKIND PRIMARY KEY (WAREKIND_ID)
);
CREATE SEQUENCE zolt.WareKind_ID_SEQ;

-- Sub-kinds: the names under which construction objects require parts.
CREATE TABLE zolt.SUBWAREKIND (
    SUBWAREKIND_ID  integer      NOT NULL,
    WAREKIND_ID     integer,
    MEASURE_ID      integer,     -- base measure
    DESCR           varchar(30),
    CONSTRAINT PK_SUBWAREKIND PRIMARY KEY (SUBWAREKIND_ID)
);
CREATE INDEX IX_SUBWAREKIND_KIND ON zolt.SUBWAREKIND (WAREKIND_ID);
CREATE INDEX IX_SUBWAREKIND_MEASURE ON zolt.SUBWAREKIND (MEASURE_ID);
CREATE SEQUENCE zolt.SubWareKind_Id_Seq;

-- The nomenclature: one row per ware (name and mark).
CREATE TABLE zolt.WARETYPE (
    WARETYPE_ID      integer        NOT NULL,
    WAREKIND_ID      integer,
    WAREGROUP_ID     integer,
    MEASURE_ID       integer,
    WARETYPENAME     varchar(40),
    WARETYPEMARK     varchar(20),
    NOTICE           varchar(60),
    FASTCODE         integer,       -- code within its group and kind
    WEIGHT           numeric(18,2)  DEFAULT 0,  -- weight of one unit
    WEIGHTMEASUREID  integer        DEFAULT 0,  -- MEASURE of the weight
    CONSTRAINT PK_WARETYPE PRIMARY KEY (WARETYPE_ID),
    CONSTRAINT FK_WARETYPEMEASURE_TO_MEASURE FOREIGN KEY (WEIGHTMEASUREID)
        REFERENCES zolt.MEASURE (MEASURE_ID)
);
CREATE INDEX IX_WARETYPE_GROUP_KIND ON zolt.WARETYPE (WAREGROUP_ID, WAREKIND_ID);
CREATE INDEX IX_WARETYPE_KIND ON zolt.WARETYPE (WAREKIND_ID);
CREATE INDEX IX_WARETYPE_MEASURE ON zolt.WARETYPE (MEASURE_ID);
CREATE INDEX IX_WARETYPE_NAME ON zolt.WARETYPE (WARETYPENAME, WARETYPEMARK);
CREATE SEQUENCE zolt.WareType_Id_Seq;

-- Prices of wares. Named as an update target of the client's provider
-- layer; no window reads or writes it yet.
CREATE TABLE zolt.WAREPRICE (
    WAREPRICE_ID  integer        NOT NULL,
    WARETYPE_ID   integer,
    CUR_ID        integer,
    PRICEDATE     date,
    PRICE         numeric(18,2),
    TAXPERCENT    integer,
    NOTICE        varchar(60),
    CONSTRAINT PK_WAREPRICE PRIMARY KEY (WAREPRICE_ID)
);
CREATE INDEX IX_WAREPRICE_WARETYPE ON zolt.WAREPRICE (WARETYPE_ID);
CREATE SEQUENCE zolt.WarePrice_Id_Seq;

-- Ware cards: the stock of one ware type at one registration price and tax
-- percent. CURRENTQUANTITY = received - issued, kept by the client.
CREATE TABLE zolt.WARECARD (
    WARECARD_ID        integer        NOT NULL,
    WARETYPE_ID        integer,
    STORAGEPLACE_ID    integer,
    CARD_NO            integer,
    CARDDATE           date,
    REGISTRATIONPRICE  numeric(18,2),
    TAXPERCENT         integer,
    CURRENTQUANTITY    numeric(18,2),
    MINQUANTITY        numeric(18,2),
    CUR_ID             integer,
    RACKCODE           varchar(20),
    CELLCODE           varchar(20),
    BARCODE            varchar(20),
    NOTICE             varchar(60),
    WARESTORETYPE_ID   integer,
    WAREGRADE_ID       integer,
    WARESTRUCTURE_ID   integer,
    WAREDIMENSION_ID   integer,
    CONSTRAINT PK_WARECARD PRIMARY KEY (WARECARD_ID),
    -- a ware type still kept on cards cannot be deleted
    CONSTRAINT FK_WARECARD_WARETYPE FOREIGN KEY (WARETYPE_ID)
        REFERENCES zolt.WARETYPE (WARETYPE_ID)
);
-- the card of a ware at a price and tax percent (receipts look it up)
CREATE INDEX IX_WARECARD_WARETYPE ON zolt.WARECARD (WARETYPE_ID, REGISTRATIONPRICE, TAXPERCENT);
CREATE INDEX IX_WARECARD_STORAGEPLACE ON zolt.WARECARD (STORAGEPLACE_ID);
CREATE SEQUENCE zolt.WareCard_Id_Seq;

-- Store orders (goods receipts).
CREATE TABLE zolt.STOREORDER (
    STOREORDER_ID      integer        NOT NULL,
    STOREORDER_NO      integer,
    ORDERDATE          date,
    SUPPLIER_ID        integer,       -- COMPANY
    STORAGEPLACE_ID    integer,
    CUR_ID             integer,
    RELATEDDOC         varchar(30),
    NOTICE             varchar(60),
    ORDERSUM           numeric(18,2), -- sum of quantity x purchase price, kept by the client
    STOREORDERTYPE_ID  integer,
    CONSTRAINT PK_STOREORDER PRIMARY KEY (STOREORDER_ID)
);
CREATE INDEX IX_STOREORDER_DATE ON zolt.STOREORDER (ORDERDATE);
CREATE INDEX IX_STOREORDER_STORAGEPLACE ON zolt.STOREORDER (STORAGEPLACE_ID);
CREATE INDEX IX_STOREORDER_SUPPLIER ON zolt.STOREORDER (SUPPLIER_ID);
CREATE SEQUENCE zolt.StoreOrder_Id_Seq;

CREATE TABLE zolt.STOREORDERITEM (
    STOREORDERITEM_ID  integer        NOT NULL,
    STOREORDER_ID      integer        NOT NULL,
    ITEM_NO            integer,
    WARECARD_ID        integer,
    QUANTITY           numeric(18,2),
    PURCHASEPRICE      numeric(18,2),
    TAXPERCENT         integer,
    IMPORTERPRICE      numeric(18,2),
    NOTICE             varchar(60),
    CONSTRAINT PK_STOREORDERITEM PRIMARY KEY (STOREORDERITEM_ID),
    -- an order is deleted after its items
    CONSTRAINT FK_STOREORDERITEM_ORDER FOREIGN KEY (STOREORDER_ID)
        REFERENCES zolt.STOREORDER (STOREORDER_ID),
    -- a card still used by receipts cannot be deleted
    CONSTRAINT FK_STOREORDERITEM_WARECARD FOREIGN KEY (WARECARD_ID)
        REFERENCES zolt.WARECARD (WARECARD_ID)
);
CREATE INDEX IX_STOREORDERITEM_ORDER ON zolt.STOREORDERITEM (STOREORDER_ID, ITEM_NO);
CREATE INDEX IX_STOREORDERITEM_WARECARD ON zolt.STOREORDERITEM (WARECARD_ID);
CREATE SEQUENCE zolt.StoreOrderItem_Id_Seq;

-- Incoming quality-control protocols, at most one per store-order item.
-- The sequence carries the column's own name.
CREATE TABLE zolt.INQUALITYCTRL (
    INQUALITYCTRL_ID   integer        NOT NULL,
    STOREORDER_ID      integer,
    STOREORDERITEM_ID  integer,
    WAREKIND_ID        integer,       -- 1 cable, 6 amplifier
    DOC_NO             integer,
    DOC_DATE           date,
    PERSON_ID          integer,       -- who measured
    AIRTEMPERATURE     numeric(6,2),
    QUANTITY           numeric(18,2), -- total length or number of samples
    MEASURINGDEVICE    varchar(20),
    QUOTAVALUE         numeric(18,4), -- the norm
    COMMISIONDECISION  varchar(40),
    PARAM1             numeric(18,4),
    PARAM2             numeric(18,4),
    PARAM3             numeric(18,4),
    PARAM4             numeric(18,4),
    STRPARAM1          varchar(20),
    STRPARAM2          varchar(20),
    CONSTRAINT PK_INQUALITYCTRL PRIMARY KEY (INQUALITYCTRL_ID)
);
CREATE INDEX IX_INQUALITYCTRL_ORDER ON zolt.INQUALITYCTRL (STOREORDER_ID);
CREATE INDEX IX_INQUALITYCTRL_ITEM ON zolt.INQUALITYCTRL (STOREORDERITEM_ID);
CREATE SEQUENCE zolt.InQualityCtrl_Id;

-- Measurement rows of a protocol.
CREATE TABLE zolt.INQ_CTRL_ITEM (
    IN_Q_CTRL_ID      integer        NOT NULL,
    INQUALITYCTRL_ID  integer        NOT NULL,
    PARAM1            numeric(18,4),
    PARAM2            numeric(18,4),
    PARAM3            numeric(18,4),
    PARAM4            numeric(18,4),
    PARAM5            numeric(18,4),
    NOTICE            varchar(60),
    CONSTRAINT PK_INQ_CTRL_ITEM PRIMARY KEY (IN_Q_CTRL_ID),
    -- a protocol is deleted after its rows
    CONSTRAINT FK_INQ_CTRL_ITEM_PROTOCOL FOREIGN KEY (INQUALITYCTRL_ID)
        REFERENCES zolt.INQUALITYCTRL (INQUALITYCTRL_ID)
);
CREATE INDEX IX_INQ_CTRL_ITEM_PROTOCOL ON zolt.INQ_CTRL_ITEM (INQUALITYCTRL_ID);
CREATE SEQUENCE zolt.In_Q_Ctrl_Id;

-- Quality-control pattern of a ware type: defaults copied into protocols.
CREATE TABLE zolt.INQUALITYCTRL_PATTERN (
    INQUALITYCTRL_PATTERN_ID  integer        NOT NULL,
    WARETYPE_ID               integer,
    MEASURINGDEVICE           varchar(20),
    QUOTAVALUE                numeric(18,4),
    PARAM1                    numeric(18,4),
    PARAM2                    numeric(18,4),
    PARAM3                    numeric(18,4),
    PARAM4                    numeric(18,4),
    STRPARAM1                 varchar(20),
    STRPARAM2                 varchar(20),
    CONSTRAINT PK_INQUALITYCTRL_PATTERN PRIMARY KEY (INQUALITYCTRL_PATTERN_ID),
    CONSTRAINT FK_INQUALITYCTRL_PATTERN_WARETYPE FOREIGN KEY (WARETYPE_ID)
        REFERENCES zolt.WARETYPE (WARETYPE_ID)
);
CREATE INDEX IX_INQUALITYCTRL_PATTERN_WARETYPE ON zolt.INQUALITYCTRL_PATTERN (WARETYPE_ID);
CREATE SEQUENCE zolt.InQualityCtrl_Pattern_Id_Seq;

-- Delivery applications: orders placed with a supplier.
CREATE TABLE zolt.DELIVERYAPPLICATION (
    DELIVERYAPPLICATION_ID  integer        NOT NULL,
    DOC_NO                  integer,
    DOC_DATE                date,
    SUPPLIER_ID             integer,
    CUR_ID                  integer,
    PERSON_ID               integer,       -- materially responsible recipient
    STATE_SGN               integer,       -- 1 open, 0 fulfilled
    ADD_DOC_NO              varchar(20),
    ADD_DOC_INFO            varchar(30),
    DOC_SUM                 numeric(18,2),
    TAX_SUM                 numeric(18,2),
    CONSTRAINT PK_DELIVERYAPPLICATION PRIMARY KEY (DELIVERYAPPLICATION_ID)
);
CREATE INDEX IX_DELIVERYAPPLICATION_DATE ON zolt.DELIVERYAPPLICATION (DOC_DATE);
CREATE SEQUENCE zolt.DeliveryApplication_Id_Seq;

-- Lines of an application: a ware at a price, tax percent and note.
CREATE TABLE zolt.DELIVERYAPPLST (
    DELIVERYAPPLST_ID       integer        NOT NULL,
    DELIVERYAPPLICATION_ID  integer        NOT NULL,
    WARETYPE_ID             integer,
    WARECOST                numeric(18,2),
    TAX_PERC                integer,
    SHORTNOTICE             varchar(20),
    CONSTRAINT PK_DELIVERYAPPLST PRIMARY KEY (DELIVERYAPPLST_ID),
    -- an application is deleted after its lines
    CONSTRAINT FK_DELIVERYAPPLST_APPLICATION FOREIGN KEY (DELIVERYAPPLICATION_ID)
        REFERENCES zolt.DELIVERYAPPLICATION (DELIVERYAPPLICATION_ID),
    CONSTRAINT FK_DELIVERYAPPLST_WARETYPE FOREIGN KEY (WARETYPE_ID)
        REFERENCES zolt.WARETYPE (WARETYPE_ID)
);
CREATE INDEX IX_DELIVERYAPPLST_APPLICATION ON zolt.DELIVERYAPPLST (DELIVERYAPPLICATION_ID, WARETYPE_ID);
CREATE INDEX IX_DELIVERYAPPLST_WARETYPE ON zolt.DELIVERYAPPLST (WARETYPE_ID);
CREATE SEQUENCE zolt.deliveryapplst_id_seq;

-- Distribution of an application line over construction objects.
CREATE TABLE zolt.DELIVERYAPPBYCONSTROBJ (
    DELIVERYAPPLST_ID  integer        NOT NULL,
    CONSTROBJECT_ID    integer        NOT NULL,
    WAREQUANTITY       numeric(18,2),
    CONSTRAINT PK_DELIVERYAPPBYCONSTROBJ PRIMARY KEY (DELIVERYAPPLST_ID, CONSTROBJECT_ID),
    -- a line is deleted after its distribution
    CONSTRAINT FK_DELIVERYAPPBYCONSTROBJ_LST FOREIGN KEY (DELIVERYAPPLST_ID)
        REFERENCES zolt.DELIVERYAPPLST (DELIVERYAPPLST_ID)
);
CREATE INDEX IX_DELIVERYAPPBYCONSTROBJ_OBJECT ON zolt.DELIVERYAPPBYCONSTROBJ (CONSTROBJECT_ID);

------------------------------------------------------------------------------
-- Construction objects and works
------------------------------------------------------------------------------

-- Object types: 1 system, 2 the level invoices are written to ("Участок"),
-- 3 installation place. Further types are data.
CREATE TABLE zolt.CONSTROBJTYPE (
    CONSTROBJTYPE_ID  integer      NOT NULL,
    DESCR             varchar(20),
    CONSTRAINT PK_CONSTROBJTYPE PRIMARY KEY (CONSTROBJTYPE_ID)
);
CREATE SEQUENCE zolt.ConstrObjType_Id_Seq;

-- Construction objects, a tree; PARENTOBJECT_ID is null for a root.
-- Only a node without children is deleted, after its dependent rows.
CREATE TABLE zolt.CONSTROBJECT (
    CONSTROBJECT_ID    integer      NOT NULL,
    CONSTROBJECT_NAME  varchar(40),
    PARENTOBJECT_ID    integer,
    NOTICE             varchar(60),
    CONSTROBJTYPE_ID   integer,
    CONSTRAINT PK_CONSTROBJECT PRIMARY KEY (CONSTROBJECT_ID)
);
CREATE INDEX IX_CONSTROBJECT_PARENT ON zolt.CONSTROBJECT (PARENTOBJECT_ID);
CREATE INDEX IX_CONSTROBJECT_TYPE ON zolt.CONSTROBJECT (CONSTROBJTYPE_ID);
CREATE SEQUENCE zolt.ConstrObject_Id_SEQ;

-- Parts an object requires; CURRENTQUANTITY is the quantity issued so far,
-- kept by the client from the invoice items.
CREATE TABLE zolt.REQUIREDPART (
    REQUIREDPART_ID   integer        NOT NULL,
    WAREKIND_ID       integer,
    SUBWAREKIND_ID    integer,
    CONSTROBJECT_ID   integer        NOT NULL,
    REQUIREDQUANTITY  numeric(18,2),
    CURRENTQUANTITY   numeric(18,2),
    NOTICE            varchar(60),
    MEASURE_ID        integer,       -- own measure of the part; the client
                                     -- leaves it empty and uses the sub-kind's
    CONSTRAINT PK_REQUIREDPART PRIMARY KEY (REQUIREDPART_ID),
    -- an object is deleted after its required parts
    CONSTRAINT FK_REQUIREDPART_OBJECT FOREIGN KEY (CONSTROBJECT_ID)
        REFERENCES zolt.CONSTROBJECT (CONSTROBJECT_ID)
);
CREATE INDEX IX_REQUIREDPART_OBJECT ON zolt.REQUIREDPART (CONSTROBJECT_ID);
CREATE INDEX IX_REQUIREDPART_SUBWAREKIND ON zolt.REQUIREDPART (SUBWAREKIND_ID);
CREATE INDEX IX_REQUIREDPART_MEASURE ON zolt.REQUIREDPART (MEASURE_ID);
CREATE SEQUENCE zolt.RequiredPart_Id_Seq;

-- Groups of composition patterns, a two-level tree.
CREATE TABLE zolt.PATTERNGROUP (
    PATTERNGROUP_ID  integer      NOT NULL,
    DESCR            varchar(30),
    PARENTGROUP_ID   integer,     -- null for a top-level group
    CONSTRAINT PK_PATTERNGROUP PRIMARY KEY (PATTERNGROUP_ID)
);
CREATE INDEX IX_PATTERNGROUP_PARENT ON zolt.PATTERNGROUP (PARENTGROUP_ID);
CREATE SEQUENCE zolt.PatternGroup_Id_Seq;

-- Composition patterns.
CREATE TABLE zolt.SW_PATTERN (
    SW_PATTERN_ID    integer      NOT NULL,
    DESCR            varchar(20),
    NOTICE           varchar(60),
    PATTERNGROUP_ID  integer,
    CONSTRAINT PK_SW_PATTERN PRIMARY KEY (SW_PATTERN_ID)
);
CREATE INDEX IX_SW_PATTERN_GROUP ON zolt.SW_PATTERN (PATTERNGROUP_ID);
CREATE SEQUENCE zolt.SW_Pattern_Id_Seq;

CREATE TABLE zolt.SW_PATTERNITEM (
    SW_PATTERNITEM_ID  integer        NOT NULL,
    SW_PATTERN_ID      integer        NOT NULL,
    SUBWAREKIND_ID     integer,
    WAREKIND_ID        integer,
    REQUIREDQUANT      numeric(18,2),
    CONSTRAINT PK_SW_PATTERNITEM PRIMARY KEY (SW_PATTERNITEM_ID),
    -- a pattern with items is not deleted
    CONSTRAINT FK_SW_PATTERNITEM_PATTERN FOREIGN KEY (SW_PATTERN_ID)
        REFERENCES zolt.SW_PATTERN (SW_PATTERN_ID)
);
CREATE INDEX IX_SW_PATTERNITEM_PATTERN ON zolt.SW_PATTERNITEM (SW_PATTERN_ID);
CREATE INDEX IX_SW_PATTERNITEM_SUBWAREKIND ON zolt.SW_PATTERNITEM (SUBWAREKIND_ID);
CREATE SEQUENCE zolt.SW_PatternItem_Id_Seq;

-- Invoices issuing wares from ware cards to construction objects. The
-- invoice is written to a type-2 object; 0 until one is chosen.
CREATE TABLE zolt.CONSTROBJINVOICE (
    CONSTROBJINVOICE_ID  integer        NOT NULL,
    INVOICETYPE_ID       integer,
    CONSTROBJECT_ID      integer,
    CUR_ID               integer,
    CUSTOMERCOMP_ID      integer,
    CONTRACTORCOMP_ID    integer,
    WAYOFWORK_ID         integer,
    KINDOFWORK_ID        integer,
    COMMISSION_ID        integer,
    DOCNO                integer,
    INVOICEDATE          date,
    NOTICE               varchar(60),
    INVOICESUM           numeric(18,2), -- kept by the client
    CONSTRAINT PK_CONSTROBJINVOICE PRIMARY KEY (CONSTROBJINVOICE_ID)
);
CREATE INDEX IX_CONSTROBJINVOICE_DATE ON zolt.CONSTROBJINVOICE (INVOICEDATE);
CREATE INDEX IX_CONSTROBJINVOICE_OBJECT ON zolt.CONSTROBJINVOICE (CONSTROBJECT_ID);
CREATE INDEX IX_CONSTROBJINVOICE_COMMISSION ON zolt.CONSTROBJINVOICE (COMMISSION_ID);
CREATE SEQUENCE zolt.ConstrObjInvoice_Id_Seq;

-- Invoice items: a quantity from one card to one installation place (type 3),
-- covering one required part.
CREATE TABLE zolt.CONSTROBJINVOICEITEM (
    CONSTROBJINVOICEITEM_ID  integer        NOT NULL,
    CONSTROBJINVOICE_ID      integer        NOT NULL,
    WARECARD_ID              integer,
    REQUIREDPART_ID          integer,
    CONSTROBJECT_ID          integer,
    QUANTITY                 numeric(18,2),
    ITEMCOST                 numeric(18,2),
    NOTICE                   varchar(60),
    CONSTRAINT PK_CONSTROBJINVOICEITEM PRIMARY KEY (CONSTROBJINVOICEITEM_ID),
    -- an invoice that still has items is not deleted: its items go first,
    -- with the recomputation of stock and issued quantities
    CONSTRAINT FK_CONSTROBJINVOICEITEM_INVOICE FOREIGN KEY (CONSTROBJINVOICE_ID)
        REFERENCES zolt.CONSTROBJINVOICE (CONSTROBJINVOICE_ID),
    -- a card still used by issues cannot be deleted
    CONSTRAINT FK_CONSTROBJINVOICEITEM_WARECARD FOREIGN KEY (WARECARD_ID)
        REFERENCES zolt.WARECARD (WARECARD_ID)
);
CREATE INDEX IX_CONSTROBJINVOICEITEM_INVOICE ON zolt.CONSTROBJINVOICEITEM (CONSTROBJINVOICE_ID);
CREATE INDEX IX_CONSTROBJINVOICEITEM_WARECARD ON zolt.CONSTROBJINVOICEITEM (WARECARD_ID);
CREATE INDEX IX_CONSTROBJINVOICEITEM_PART ON zolt.CONSTROBJINVOICEITEM (REQUIREDPART_ID);
CREATE INDEX IX_CONSTROBJINVOICEITEM_OBJECT ON zolt.CONSTROBJINVOICEITEM (CONSTROBJECT_ID);
CREATE SEQUENCE zolt.ConstrObjInvoiceItem_Seq;

-- Monthly work acts; PERIOD_DATE is the first day of the month covered.
CREATE TABLE zolt.MONTHWORKACT (
    MONTHWORKACT_ID      integer        NOT NULL,
    KINDOFWORK_ID        integer,
    WAYOFWORK_ID         integer,
    CONSTROBJECT_ID      integer,
    CUSTOMERCOMP_ID      integer,
    CONTRACTORCOMP_ID    integer,
    CUSTOMERPERSON_ID    integer,
    CONTRACTORPERSON_ID  integer,
    ACT_DATE             date,
    PERIOD_DATE          date,
    DOCNO                integer,
    DOC_SUM              numeric(18,2),
    TAX_PRC              integer,
    CONSTRAINT PK_MONTHWORKACT PRIMARY KEY (MONTHWORKACT_ID)
);
CREATE INDEX IX_MONTHWORKACT_PERIOD ON zolt.MONTHWORKACT (PERIOD_DATE);
CREATE INDEX IX_MONTHWORKACT_OBJECT ON zolt.MONTHWORKACT (CONSTROBJECT_ID);
CREATE SEQUENCE zolt.MonthWorkAct_Id_Seq;

-- Expense lines of a month act.
CREATE TABLE zolt.EXPENSELST (
    EXPENSELST_ID    integer        NOT NULL,
    MONTHWORKACT_ID  integer        NOT NULL,
    EXPENSEDESCR_ID  integer,
    EXPENSELSTNO     integer,
    EXPENSESUM       numeric(18,2),
    TAX_PRC          integer,
    TAXSGN           integer,       -- 1 = carried into the summary act
    CONSTRAINT PK_EXPENSELST PRIMARY KEY (EXPENSELST_ID),
    -- an act is deleted after its lines
    CONSTRAINT FK_EXPENSELST_ACT FOREIGN KEY (MONTHWORKACT_ID)
        REFERENCES zolt.MONTHWORKACT (MONTHWORKACT_ID)
);
CREATE INDEX IX_EXPENSELST_ACT ON zolt.EXPENSELST (MONTHWORKACT_ID);
CREATE INDEX IX_EXPENSELST_DESCR ON zolt.EXPENSELST (EXPENSEDESCR_ID);
CREATE SEQUENCE zolt.ExpenseLst_Id_Seq;

-- Split of a materials line by ware group. Key MAX+1.
CREATE TABLE zolt.WAREEXPENSELST (
    WAREEXPENSELST_ID  integer        NOT NULL,
    EXPENSELST_ID      integer,
    WAREGROUP_ID       integer,
    SUMVALUE           numeric(18,2),
    CONSTRAINT PK_WAREEXPENSELST PRIMARY KEY (WAREEXPENSELST_ID)
);
CREATE INDEX IX_WAREEXPENSELST_LINE ON zolt.WAREEXPENSELST (EXPENSELST_ID);

-- Percentage deductions charged on an expense line.
CREATE TABLE zolt.PERCDEDUCTIONLST (
    PERCDEDUCTIONLST_ID  integer        NOT NULL,
    EXPENSELST_ID        integer,
    PERCENTDEDUCTION_ID  integer,
    PERCDEDUCTION_SUM    numeric(18,2),
    CONSTRAINT PK_PERCDEDUCTIONLST PRIMARY KEY (PERCDEDUCTIONLST_ID)
);
CREATE INDEX IX_PERCDEDUCTIONLST_LINE ON zolt.PERCDEDUCTIONLST (EXPENSELST_ID);
CREATE INDEX IX_PERCDEDUCTIONLST_DEDUCTION ON zolt.PERCDEDUCTIONLST (PERCENTDEDUCTION_ID);
CREATE SEQUENCE zolt.PercDeductionLst_Id_Seq;

-- Summary acts gathering month acts.
CREATE TABLE zolt.COMMONWORKACT (
    COMMONWORKACT_ID     integer        NOT NULL,
    DIRECTOR_ID          integer,
    CUSTOMERPERSON_ID    integer,
    CONTRACTORPERSON_ID  integer,
    CONSTROBJECT_ID      integer,
    WAYOFWORK_ID         integer,
    KINDOFWORK_ID        integer,
    CUSTOMERCOMP_ID      integer,
    CONTRACTORCOMP_ID    integer,
    DOC_DATE             date,
    DOC_NO               integer,
    DOC_SUM              numeric(18,2),
    TAX_PRC              integer,
    CONSTRAINT PK_COMMONWORKACT PRIMARY KEY (COMMONWORKACT_ID)
);
CREATE INDEX IX_COMMONWORKACT_DATE ON zolt.COMMONWORKACT (DOC_DATE);
CREATE INDEX IX_COMMONWORKACT_OBJECT ON zolt.COMMONWORKACT (CONSTROBJECT_ID);
CREATE SEQUENCE zolt.CommonWorkAct_Id_Seq;

-- Month acts gathered in a summary act. Key MAX+1. A month act belongs to
-- at most one summary act.
CREATE TABLE zolt.COMMONWORKACTITEM (
    COMMONWORKACTITEM_ID  integer  NOT NULL,
    COMMONWORKACT_ID      integer  NOT NULL,
    MONTHWORKACT_ID       integer,
    CONSTRAINT PK_COMMONWORKACTITEM PRIMARY KEY (COMMONWORKACTITEM_ID),
    -- a summary act is deleted after its items
    CONSTRAINT FK_COMMONWORKACTITEM_ACT FOREIGN KEY (COMMONWORKACT_ID)
        REFERENCES zolt.COMMONWORKACT (COMMONWORKACT_ID)
);
CREATE INDEX IX_COMMONWORKACTITEM_ACT ON zolt.COMMONWORKACTITEM (COMMONWORKACT_ID);
CREATE INDEX IX_COMMONWORKACTITEM_MONTHACT ON zolt.COMMONWORKACTITEM (MONTHWORKACT_ID);

-- Additional expenses of a summary act. Key MAX+1.
CREATE TABLE zolt.ADDEXPENCE (
    ADDEXPENCE_ID     integer        NOT NULL,
    COMMONWORKACT_ID  integer        NOT NULL,
    EXPENSEDESCR_ID   integer,
    ADDEXPENCESUM     numeric(18,2),
    EQUIPSGN          integer,       -- 1 = counts with equipment
    CONSTRAINT PK_ADDEXPENCE PRIMARY KEY (ADDEXPENCE_ID),
    -- a summary act is deleted after its additional expenses
    CONSTRAINT FK_ADDEXPENCE_ACT FOREIGN KEY (COMMONWORKACT_ID)
        REFERENCES zolt.COMMONWORKACT (COMMONWORKACT_ID)
);
CREATE INDEX IX_ADDEXPENCE_ACT ON zolt.ADDEXPENCE (COMMONWORKACT_ID);

-- Per-user working list of objects (the subtree below an object), replaced
-- as a whole by the client. No key.
CREATE TABLE zolt.TMP_CONSTROBJLST (
    CONSTROBJECT_ID  integer,
    USER_ID          integer
);
CREATE INDEX IX_TMP_CONSTROBJLST_USER ON zolt.TMP_CONSTROBJLST (USER_ID, CONSTROBJECT_ID);
CREATE INDEX IX_TMP_CONSTROBJLST_OBJECT ON zolt.TMP_CONSTROBJLST (CONSTROBJECT_ID);
