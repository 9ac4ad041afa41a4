-- Version 2 on PostgreSQL. Codes are found without letter case: prefix and
-- exact searches compare the lower-cased codes byte by byte (collation "C"),
-- which these indexes hold in that order. The records of one batch number
-- follow in key order, newest last, as SQLite's index holds them.
CREATE INDEX ix_ICOrderBatchTrace_BatchLower ON ICOrderBatchTrace ((lower(FBatchNo) COLLATE "C"), FTraceID);
CREATE INDEX ix_SEOrder_BillNoLower ON SEOrder ((lower(FBillNo) COLLATE "C"));
CREATE INDEX ix_SEOrder_CustNameLower ON SEOrder ((lower(FCustName) COLLATE "C"));
CREATE INDEX ix_ICBom_NumberLower ON ICBom ((lower(FBOMNumber) COLLATE "C"));
CREATE INDEX ix_t_ICItem_NumberLower ON t_ICItem ((lower(FNumber) COLLATE "C"));
CREATE INDEX ix_t_ICItem_ShortNumberLower ON t_ICItem ((lower(FShortNumber) COLLATE "C"));

-- Batch numbers containing a text: a trigram index the server keeps itself.
-- The trigram extension is used where the database has it, else installed
-- in the company's schema.
DO $$
DECLARE home text;
BEGIN
  SELECT n.nspname INTO home FROM pg_extension e JOIN pg_namespace n ON n.oid = e.extnamespace
   WHERE e.extname = 'pg_trgm';
  IF home IS NULL THEN
    CREATE EXTENSION pg_trgm;
    home := current_schema();
  END IF;
  EXECUTE format('CREATE INDEX ix_ICOrderBatchTrace_BatchText ON ICOrderBatchTrace USING gin (FBatchNo %I.gin_trgm_ops)', home);
END $$;
ANALYZE ICOrderBatchTrace;
ANALYZE SEOrder;
ANALYZE ICBom;
ANALYZE t_ICItem;
