-- Version 2 on PostgreSQL. Codes are found without letter case: prefix and
-- exact searches compare the lower-cased codes byte by byte (collation "C"),
-- which these indexes hold in that order.
CREATE INDEX ix_ICOrderBatchTrace_BatchLower ON ICOrderBatchTrace ((lower(FBatchNo) COLLATE "C"));
CREATE INDEX ix_SEOrder_BillNoLower ON SEOrder ((lower(FBillNo) COLLATE "C"));
CREATE INDEX ix_SEOrder_CustNameLower ON SEOrder ((lower(FCustName) COLLATE "C"));
CREATE INDEX ix_ICBom_NumberLower ON ICBom ((lower(FBOMNumber) COLLATE "C"));
CREATE INDEX ix_t_ICItem_NumberLower ON t_ICItem ((lower(FNumber) COLLATE "C"));
CREATE INDEX ix_t_ICItem_ShortNumberLower ON t_ICItem ((lower(FShortNumber) COLLATE "C"));

-- Batch numbers containing a text: a trigram index the server keeps itself.
CREATE EXTENSION IF NOT EXISTS pg_trgm;
CREATE INDEX ix_ICOrderBatchTrace_BatchText ON ICOrderBatchTrace USING gin (FBatchNo gin_trgm_ops);
ANALYZE ICOrderBatchTrace;
ANALYZE SEOrder;
ANALYZE ICBom;
ANALYZE t_ICItem;
