-- Корвель: views of the schema zolt.
--
-- Run as "ZOLT" after 02_tables.sql.
--
-- Text is joined with concat(), which skips empty values, so that a ware
-- without mark still gets "name " as its full name and a document without
-- basis still gets a description. Joins to reference rows are outer joins:
-- every row of the underlying table appears once, also when a reference is
-- 0 or points to a row that is gone.

\set ON_ERROR_STOP on

SET client_encoding = 'UTF8';
SET search_path = zolt, public;

------------------------------------------------------------------------------
-- Warehouse
------------------------------------------------------------------------------

-- Sub-kinds with the short name of their base measure and their kind's name.
CREATE VIEW zolt.V_SUBWAREKIND AS
SELECT sk.SUBWAREKIND_ID,
       sk.WAREKIND_ID,
       sk.DESCR,
       sk.MEASURE_ID,
       m.SHORTNAME::varchar(10)     AS MEASURESHORTNAME,
       k.WAREKIND_NAME::varchar(30) AS WAREKIND_NAME
  FROM zolt.SUBWAREKIND sk
  LEFT JOIN zolt.MEASURE m  ON m.MEASURE_ID = sk.MEASURE_ID
  LEFT JOIN zolt.WAREKIND k ON k.WAREKIND_ID = sk.WAREKIND_ID;

-- The nomenclature with kind, group and measure names and the nomenclature
-- number "group code.kind code.ware code" (a missing code leaves its
-- segment empty).
CREATE VIEW zolt.V_WARETYPE AS
SELECT w.WARETYPE_ID,
       w.WAREKIND_ID,
       w.WAREGROUP_ID,
       w.MEASURE_ID,
       w.WARETYPENAME,
       w.FASTCODE,
       w.WARETYPEMARK,
       w.NOTICE,
       w.WEIGHT,
       w.WEIGHTMEASUREID,
       k.WAREKIND_NAME::varchar(30)  AS WAREKIND_NAME,
       m.SHORTNAME::varchar(10)      AS MEASURESHORTNAME,
       g.WAREGROUPNAME::varchar(30)  AS WAREGROUPNAME,
       (coalesce(g.FASTCODE::text, '') || '.' ||
        coalesce(k.FASTCODE::text, '') || '.' ||
        coalesce(w.FASTCODE::text, ''))::varchar(122) AS WARETYPE_NO
  FROM zolt.WARETYPE w
  LEFT JOIN zolt.WAREKIND k  ON k.WAREKIND_ID = w.WAREKIND_ID
  LEFT JOIN zolt.WAREGROUP g ON g.WAREGROUP_ID = w.WAREGROUP_ID
  LEFT JOIN zolt.MEASURE m   ON m.MEASURE_ID = w.MEASURE_ID;

-- Ware cards for the stock reports: one row per card.
CREATE VIEW zolt.V_WARECARD AS
SELECT c.WARECARD_ID,
       c.WARETYPE_ID,
       c.STORAGEPLACE_ID,
       c.CARD_NO,
       c.CARDDATE,
       concat(t.WARETYPENAME, ' ', t.WARETYPEMARK)::varchar(62) AS WAREFULLNAME,
       c.REGISTRATIONPRICE,
       c.TAXPERCENT,
       c.CURRENTQUANTITY,
       c.CUR_ID,
       cur.SHORT_NAME::varchar(10) AS WARECURRENCY,
       m.SHORTNAME::varchar(10)    AS MEASURESHORTNAME
  FROM zolt.WARECARD c
  LEFT JOIN zolt.WARETYPE t   ON t.WARETYPE_ID = c.WARETYPE_ID
  LEFT JOIN zolt.MEASURE m    ON m.MEASURE_ID = t.MEASURE_ID
  LEFT JOIN zolt.CURDESCR cur ON cur.CUR_ID = c.CUR_ID;

-- Receipts for the stock reports: one row per store-order item, dated with
-- its order and described as "Док N<no> от <DD.MM.YYYY> <basis> <supplier>".
CREATE VIEW zolt.V_STOREORDERITEM AS
SELECT i.STOREORDERITEM_ID,
       i.STOREORDER_ID,
       i.ITEM_NO,
       i.WARECARD_ID,
       i.QUANTITY,
       i.PURCHASEPRICE,
       i.TAXPERCENT,
       s.ORDERDATE,
       s.STOREORDER_NO,
       s.SUPPLIER_ID,
       s.STORAGEPLACE_ID,
       concat('Док N', s.STOREORDER_NO,
              ' от ', to_char(s.ORDERDATE, 'DD.MM.YYYY'),
              ' ', s.RELATEDDOC,
              ' ', p.COMPANY_NAME)::varchar(201) AS DOCDESCR
  FROM zolt.STOREORDERITEM i
  JOIN zolt.STOREORDER s     ON s.STOREORDER_ID = i.STOREORDER_ID
  LEFT JOIN zolt.COMPANY p   ON p.COMPANY_ID = s.SUPPLIER_ID;

-- Issues for the stock reports: one row per invoice item, dated with its
-- invoice and described as "Док N<no> от <DD.MM.YYYY> <object>  <parent>".
CREATE VIEW zolt.V_CONSTROBJINVOICEITEM AS
SELECT ii.CONSTROBJINVOICEITEM_ID,
       ii.CONSTROBJINVOICE_ID,
       ii.WARECARD_ID,
       ii.REQUIREDPART_ID,
       ii.CONSTROBJECT_ID,
       ii.QUANTITY,
       ii.ITEMCOST,
       inv.INVOICEDATE,
       inv.DOCNO,
       rtrim(concat('Док N', inv.DOCNO,
                    ' от ', to_char(inv.INVOICEDATE, 'DD.MM.YYYY'),
                    ' ', co.CONSTROBJECT_NAME,
                    '  ', cp.CONSTROBJECT_NAME))::varchar(201) AS DOCDESCR
  FROM zolt.CONSTROBJINVOICEITEM ii
  JOIN zolt.CONSTROBJINVOICE inv   ON inv.CONSTROBJINVOICE_ID = ii.CONSTROBJINVOICE_ID
  LEFT JOIN zolt.CONSTROBJECT co   ON co.CONSTROBJECT_ID = inv.CONSTROBJECT_ID
  LEFT JOIN zolt.CONSTROBJECT cp   ON cp.CONSTROBJECT_ID = co.PARENTOBJECT_ID;

-- Invoice items with the measure of the issued ware. The measure guide asks
-- it whether a unit of measure is still used by issued wares before the
-- unit is deleted.
CREATE VIEW zolt.INVOICEITEM AS
SELECT ii.CONSTROBJINVOICEITEM_ID AS INVOICEITEM_ID,
       ii.CONSTROBJINVOICE_ID,
       ii.WARECARD_ID,
       t.WARETYPE_ID,
       t.MEASURE_ID,
       ii.QUANTITY,
       ii.ITEMCOST
  FROM zolt.CONSTROBJINVOICEITEM ii
  JOIN zolt.WARECARD c  ON c.WARECARD_ID = ii.WARECARD_ID
  JOIN zolt.WARETYPE t  ON t.WARETYPE_ID = c.WARETYPE_ID;

------------------------------------------------------------------------------
-- Construction objects and works
------------------------------------------------------------------------------

-- Required parts with the sub-kind's name and the short name of its measure.
CREATE VIEW zolt.V_REQUIREDPART AS
SELECT rp.REQUIREDPART_ID,
       rp.WAREKIND_ID,
       rp.SUBWAREKIND_ID,
       rp.CONSTROBJECT_ID,
       rp.REQUIREDQUANTITY,
       rp.CURRENTQUANTITY,
       rp.NOTICE,
       m.SHORTNAME::varchar(10) AS MEASURESHORTNAME,
       sk.DESCR::varchar(30)    AS SUBWAREKINDNAME
  FROM zolt.REQUIREDPART rp
  LEFT JOIN zolt.SUBWAREKIND sk ON sk.SUBWAREKIND_ID = rp.SUBWAREKIND_ID
  LEFT JOIN zolt.MEASURE m      ON m.MEASURE_ID = sk.MEASURE_ID;

-- Commissions with their members' names joined by ", " (members not chosen
-- are left out).
CREATE VIEW zolt.V_COMMISION AS
SELECT c.COMMISSION_ID,
       c.PERSON1_ID,
       c.PERSON2_ID,
       c.PERSON3_ID,
       c.VALID_TO,
       concat_ws(', ',
                 nullif(btrim(p1.PERSNAME), ''),
                 nullif(btrim(p2.PERSNAME), ''),
                 nullif(btrim(p3.PERSNAME), ''))::varchar(96) AS DESCR
  FROM zolt.COMMISSION c
  LEFT JOIN zolt.PERSONNEL p1 ON p1.PERSON_ID = c.PERSON1_ID
  LEFT JOIN zolt.PERSONNEL p2 ON p2.PERSON_ID = c.PERSON2_ID
  LEFT JOIN zolt.PERSONNEL p3 ON p3.PERSON_ID = c.PERSON3_ID;

------------------------------------------------------------------------------
-- User groups and rights
------------------------------------------------------------------------------

-- Operations of each group.
CREATE VIEW zolt.V_GROUP_TASKOP_TREE AS
SELECT gl.GROUP_ID,
       gl.OPERAT_ID,
       op.NOTICE AS TSKOP_NOTICE
  FROM zolt.GROUP_OPER_LST gl
  JOIN zolt.TSK_OPERATION op ON op.OPERAT_ID = gl.OPERAT_ID
 WHERE coalesce(gl.DEL_SIGN, 0) = 0;

-- Operations each application user may run through the groups he is in.
CREATE VIEW zolt.V_USR_OPERATION AS
SELECT u.USER_ID,
       op.TASK_ID,
       op.OPERAT_ID,
       op.STATUS_ID AS TSK_OPER_STATUS_ID,
       u.STATUS_ID  AS USER_STATUS_ID,
       g.STATUS_ID  AS GROUP_USR_STATUS_ID
  FROM zolt.APP_USER u
  JOIN zolt.USRGR_LST ug      ON ug.USER_ID = u.USER_ID
  JOIN zolt.GROUP_USR g       ON g.GROUP_ID = ug.GROUP_ID
  JOIN zolt.GROUP_OPER_LST gl ON gl.GROUP_ID = g.GROUP_ID
                             AND coalesce(gl.DEL_SIGN, 0) = 0
  JOIN zolt.TSK_OPERATION op  ON op.OPERAT_ID = gl.OPERAT_ID;
