-- Version 2: finding records by batch, sales order, customer BOM, item or
-- customer, newest first. The trace records of one order or one BOM come
-- straight from these indexes in key order.
CREATE INDEX ix_ICOrderBatchTrace_Order ON ICOrderBatchTrace (FOrderInterID, FTraceID);
CREATE INDEX ix_ICOrderBatchTrace_Bom ON ICOrderBatchTrace (FCustBomID, FTraceID);
