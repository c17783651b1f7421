-- Корвель: moves every sequence past the keys stored in its table.
--
-- Run after the fixed rows and again after any data loaded with keys written out
-- (the demonstration data).

-- The next value of each sequence becomes MAX(key)+1 over its table when
-- the sequence is behind the table.

DO $$
DECLARE
    r record;
    top bigint;
    used bigint;
BEGIN
    FOR r IN
        SELECT * FROM (VALUES
            ('eventlog_id_seq',              'eventlog',              'eventlog_id'),
            ('bank_id_seq',                  'bank',                  'bank_id'),
            ('bankacc_id_seq',               'bankacc',               'bankacc_id'),
            ('measure_id_seq',               'measure',               'measure_id'),
            ('person_id_seq',                'personnel',             'person_id'),
            ('commission_id_seq',            'commission',            'commission_id'),
            ('kindofwork_id_seq',            'kindofwork',            'kindofwork_id'),
            ('wayofwork_id_seq',             'wayofwork',             'wayofwork_id'),
            ('expensedescr_id_seq',          'expensedescr',          'expensedescr_id'),
            ('percentdeduction_id_seq',      'percentdeduction',      'percentdeduction_id'),
            ('storage_place_id_seq',         'storageplace',          'storageplace_id'),
            ('waregroup_id_seq',             'waregroup',             'waregroup_id'),
            ('warekind_id_seq',              'warekind',              'warekind_id'),
            ('subwarekind_id_seq',           'subwarekind',           'subwarekind_id'),
            ('waretype_id_seq',              'waretype',              'waretype_id'),
            ('wareprice_id_seq',             'wareprice',             'wareprice_id'),
            ('warecard_id_seq',              'warecard',              'warecard_id'),
            ('storeorder_id_seq',            'storeorder',            'storeorder_id'),
            ('storeorderitem_id_seq',        'storeorderitem',        'storeorderitem_id'),
            ('inqualityctrl_id',             'inqualityctrl',         'inqualityctrl_id'),
            ('in_q_ctrl_id',                 'inq_ctrl_item',         'in_q_ctrl_id'),
            ('inqualityctrl_pattern_id_seq', 'inqualityctrl_pattern', 'inqualityctrl_pattern_id'),
            ('deliveryapplication_id_seq',   'deliveryapplication',   'deliveryapplication_id'),
            ('deliveryapplst_id_seq',        'deliveryapplst',        'deliveryapplst_id'),
            ('constrobjtype_id_seq',         'constrobjtype',         'constrobjtype_id'),
            ('constrobject_id_seq',          'constrobject',          'constrobject_id'),
            ('requiredpart_id_seq',          'requiredpart',          'requiredpart_id'),
            ('patterngroup_id_seq',          'patterngroup',          'patterngroup_id'),
            ('sw_pattern_id_seq',            'sw_pattern',            'sw_pattern_id'),
            ('sw_patternitem_id_seq',        'sw_patternitem',        'sw_patternitem_id'),
            ('constrobjinvoice_id_seq',      'constrobjinvoice',      'constrobjinvoice_id'),
            ('constrobjinvoiceitem_seq',     'constrobjinvoiceitem',  'constrobjinvoiceitem_id'),
            ('monthworkact_id_seq',          'monthworkact',          'monthworkact_id'),
            ('expenselst_id_seq',            'expenselst',            'expenselst_id'),
            ('percdeductionlst_id_seq',      'percdeductionlst',      'percdeductionlst_id'),
            ('commonworkact_id_seq',         'commonworkact',         'commonworkact_id')
        ) AS t(seq, tab, col)
    LOOP
        EXECUTE format('SELECT max(%I) FROM zolt.%I', r.col, r.tab) INTO top;
        EXECUTE format('SELECT CASE WHEN is_called THEN last_value ELSE last_value - 1 END FROM zolt.%I',
                       r.seq) INTO used;
        -- never move a sequence backwards
        IF coalesce(top, 0) > used THEN
            PERFORM setval(format('zolt.%I', r.seq), top, true);
        END IF;
    END LOOP;
END
$$;

