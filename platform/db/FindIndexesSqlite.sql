-- Version 2 on SQLite. Codes are found without letter case: prefix and exact
-- searches read these indexes on the lower-cased codes.
CREATE INDEX ix_ICOrderBatchTrace_BatchLower ON ICOrderBatchTrace (lower(FBatchNo));
CREATE INDEX ix_SEOrder_BillNoLower ON SEOrder (lower(FBillNo));
CREATE INDEX ix_SEOrder_CustNameLower ON SEOrder (lower(FCustName));
CREATE INDEX ix_ICBom_NumberLower ON ICBom (lower(FBOMNumber));
CREATE INDEX ix_t_ICItem_NumberLower ON t_ICItem (lower(FNumber));
CREATE INDEX ix_t_ICItem_ShortNumberLower ON t_ICItem (lower(FShortNumber));

-- Batch numbers containing a text: a trigram index over the trace table's
-- batch numbers (the index keeps no copy of them). The triggers keep it in
-- step with every write, in the writer's own transaction.
CREATE VIRTUAL TABLE ICOrderBatchTraceText USING fts5(
  FBatchNo, content='ICOrderBatchTrace', content_rowid='FTraceID', tokenize='trigram');
INSERT INTO ICOrderBatchTraceText (ICOrderBatchTraceText) VALUES ('rebuild');
-- Each write adds a small segment to the index; merging them 16 at a time
-- rather than 4 keeps a long import's writes cheap, and searches as fast.
INSERT INTO ICOrderBatchTraceText (ICOrderBatchTraceText, rank) VALUES ('automerge', 16);

CREATE TRIGGER ICOrderBatchTrace_TextInsert AFTER INSERT ON ICOrderBatchTrace BEGIN
  INSERT INTO ICOrderBatchTraceText (rowid, FBatchNo) VALUES (new.FTraceID, new.FBatchNo);
END;
CREATE TRIGGER ICOrderBatchTrace_TextDelete AFTER DELETE ON ICOrderBatchTrace BEGIN
  INSERT INTO ICOrderBatchTraceText (ICOrderBatchTraceText, rowid, FBatchNo) VALUES ('delete', old.FTraceID, old.FBatchNo);
END;
-- An update that sets the batch number to what it was (a ban, say) leaves
-- the text index alone.
CREATE TRIGGER ICOrderBatchTrace_TextUpdate AFTER UPDATE OF FTraceID, FBatchNo ON ICOrderBatchTrace
  WHEN old.FTraceID <> new.FTraceID OR old.FBatchNo IS NOT new.FBatchNo BEGIN
  INSERT INTO ICOrderBatchTraceText (ICOrderBatchTraceText, rowid, FBatchNo) VALUES ('delete', old.FTraceID, old.FBatchNo);
  INSERT INTO ICOrderBatchTraceText (rowid, FBatchNo) VALUES (new.FTraceID, new.FBatchNo);
END;
