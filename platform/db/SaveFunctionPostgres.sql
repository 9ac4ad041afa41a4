-- Version 3 on PostgreSQL: a write of a trace record in one call to the
-- server. The function asks the user's rights and makes the save component's
-- checks, then writes. It answers NULL when it wrote, else the message the
-- user is shown, having written nothing: a refusal neither aborts the
-- caller's transaction nor needs a savepoint of the caller's. p_sent says
-- which values the request carries: 1 item, 2 batch, 4 customer BOM, 8 order,
-- 16 order line, 32 ban flag; the others keep the record's. The rights are
-- those of the user qor_caller finds for the session (version 4).
CREATE OR REPLACE FUNCTION qor_save_trace(p_user integer, p_op text, p_trace integer, p_sent integer, p_item integer,
                               p_batch text, p_bom integer, p_order integer, p_entry integer, p_forbid integer)
  RETURNS text LANGUAGE plpgsql SET search_path FROM CURRENT AS $$
DECLARE
  held bigint;
  caller integer := qor_caller(p_user);
  s ICOrderBatchTrace%ROWTYPE;
  r ICOrderBatchTrace%ROWTYPE;
  all_sent boolean := p_op = 'INS';
  item_sent boolean;
  label text;
  bill text;
  found_item integer;
  cls integer;
  key integer;
BEGIN
  -- Every write below is asked its right under one of these names.
  IF p_op IS NULL OR p_op NOT IN ('INS', 'UPT', 'DEL') THEN
    RETURN format('无法识别的保存操作“%s”！', p_op);
  END IF;
  SELECT FMask INTO held FROM t_UserRight WHERE FUserID = caller AND FModule = 1099 AND FDetail = 20;
  held := COALESCE(held, 0);
  IF p_op = 'INS' THEN
    IF held & 131072 <> 131072 THEN
      RETURN '当前用户没有新增权限！请与系统管理员联系！';
    END IF;
    s.FTraceID := 0; s.FItemID := 0; s.FBatchNo := ''; s.FCustBomID := 0; s.FOrderInterID := 0;
    s.FOrderEntryID := 0; s.FForbid := 0;
  ELSE
    SELECT * INTO s FROM ICOrderBatchTrace WHERE FTraceID = p_trace;
    IF NOT FOUND THEN
      RETURN '当前记录不存在，可能已被其他用户删除！';
    END IF;
  END IF;
  IF p_op = 'DEL' THEN
    IF held & 65536 <> 65536 THEN
      RETURN '当前用户没有删除权限！请与系统管理员联系！';
    END IF;
    DELETE FROM ICOrderBatchTrace WHERE FTraceID = p_trace;
    IF NOT FOUND THEN
      RETURN '当前记录不存在，可能已被其他用户删除！';
    END IF;
    RETURN NULL;
  END IF;

  -- The request applied to the record: a changed order without a line drops
  -- the old order's line; no order means no line.
  r := s;
  IF p_sent & 1 <> 0 THEN r.FItemID := p_item; END IF;
  IF p_sent & 2 <> 0 THEN r.FBatchNo := p_batch; END IF;
  IF p_sent & 4 <> 0 THEN r.FCustBomID := p_bom; END IF;
  IF p_sent & 8 <> 0 THEN r.FOrderInterID := p_order; END IF;
  IF p_sent & 16 <> 0 THEN
    r.FOrderEntryID := p_entry;
  ELSIF r.FOrderInterID <> s.FOrderInterID THEN
    r.FOrderEntryID := 0;
  END IF;
  IF r.FOrderInterID = 0 THEN r.FOrderEntryID := 0; END IF;
  IF p_sent & 32 <> 0 THEN r.FForbid := p_forbid; END IF;

  IF p_op = 'UPT' THEN
    IF r.FForbid <> s.FForbid AND held & 32768 <> 32768 THEN
      RETURN '当前用户没有'
        || CASE WHEN r.FForbid <> 0 THEN '禁用' ELSE '反禁用' END || '权限！请与系统管理员联系！';
    END IF;
    IF (r.FItemID, r.FBatchNo, r.FCustBomID, r.FOrderInterID, r.FOrderEntryID)
       IS DISTINCT FROM (s.FItemID, s.FBatchNo, s.FCustBomID, s.FOrderInterID, s.FOrderEntryID)
       AND held & 4194304 <> 4194304 THEN
      RETURN '当前用户没有修改权限！请与系统管理员联系！';
    END IF;
  END IF;

  item_sent := all_sent OR p_sent & 1 <> 0;
  SELECT COALESCE(NULLIF(FNumber, ''), r.FItemID::text) INTO label FROM t_ICItem WHERE FItemID = r.FItemID;
  label := COALESCE(label, r.FItemID::text);
  IF item_sent THEN
    IF r.FItemID = 0 THEN
      RETURN '必须录入物料！';
    END IF;
    SELECT FErpClsID INTO cls FROM t_ICItem WHERE FItemID = r.FItemID;
    IF NOT FOUND THEN
      RETURN format('物料不存在（内码 %s）！', r.FItemID);
    END IF;
    IF cls <> 7 THEN
      RETURN format('物料 %s 不是 ERP 属性为 7 的物料，不能建立客户BOM批次对应！', label);
    END IF;
  END IF;
  IF all_sent OR p_sent & 2 <> 0 THEN
    IF btrim(r.FBatchNo) = '' THEN
      RETURN '必须录入批号！';
    END IF;
    IF length(r.FBatchNo) > 255 THEN
      RETURN '批号不能超过 255 个字符！';
    END IF;
    -- Control and invisible format characters, as the client refuses them.
    IF r.FBatchNo ~ ('[[:cntrl:]\u00AD\u0600-\u0605\u061C\u06DD\u070F\u180E\u200B-\u200F\u202A-\u202E'
                     '\u2060-\u2064\u2066-\u206F\uFEFF\uFFF9-\uFFFB\U000E0001\U000E0020-\U000E007F]') THEN
      RETURN '批号中不能有控制字符！';
    END IF;
  END IF;
  IF (item_sent OR p_sent & 4 <> 0) AND r.FCustBomID <> 0 THEN
    SELECT FItemID, FBOMNumber INTO found_item, bill FROM ICBom WHERE FInterID = r.FCustBomID;
    IF NOT FOUND THEN
      RETURN format('客户BOM不存在（内码 %s）！', r.FCustBomID);
    END IF;
    IF found_item <> r.FItemID THEN
      RETURN format('客户BOM %s 不是物料 %s 的BOM！', bill, label);
    END IF;
  END IF;
  IF (item_sent OR p_sent & 24 <> 0) AND r.FOrderInterID <> 0 THEN
    SELECT FBillNo INTO bill FROM SEOrder WHERE FInterID = r.FOrderInterID;
    IF NOT FOUND THEN
      RETURN format('销售订单不存在（内码 %s）！', r.FOrderInterID);
    END IF;
    IF r.FOrderEntryID <> 0 THEN
      SELECT FItemID INTO found_item FROM SEOrderEntry WHERE FInterID = r.FOrderInterID AND FEntryID = r.FOrderEntryID;
      IF NOT FOUND THEN
        RETURN format('销售订单 %s 没有第 %s 行分录！', bill, r.FOrderEntryID);
      END IF;
      IF found_item <> r.FItemID THEN
        RETURN format('销售订单 %s 第 %s 行分录的物料不是 %s！', bill, r.FOrderEntryID, label);
      END IF;
    ELSIF NOT EXISTS (SELECT 1 FROM SEOrderEntry WHERE FInterID = r.FOrderInterID AND FItemID = r.FItemID) THEN
      RETURN format('销售订单 %s 中没有物料 %s！', bill, label);
    END IF;
  END IF;
  IF (item_sent OR p_sent & 2 <> 0) AND EXISTS (
       SELECT 1 FROM ICOrderBatchTrace WHERE FItemID = r.FItemID AND FBatchNo = r.FBatchNo AND FTraceID <> s.FTraceID) THEN
    RETURN format('物料 %s 的批号 %s 已有对应记录，同一物料的同一批号只能有一条记录！', label, r.FBatchNo);
  END IF;

  BEGIN
    IF p_op = 'INS' THEN
      INSERT INTO ICOrderBatchTrace (FItemID, FBatchNo, FCustBomID, FOrderInterID, FOrderEntryID, FForbid)
        VALUES (r.FItemID, r.FBatchNo, r.FCustBomID, r.FOrderInterID, r.FOrderEntryID, r.FForbid)
        RETURNING FTraceID INTO key;
      RETURN NULL;
    END IF;
    UPDATE ICOrderBatchTrace SET FItemID = r.FItemID, FBatchNo = r.FBatchNo, FCustBomID = r.FCustBomID,
           FOrderInterID = r.FOrderInterID, FOrderEntryID = r.FOrderEntryID, FForbid = r.FForbid
     WHERE FTraceID = p_trace;
    IF NOT FOUND THEN
      RETURN '当前记录不存在，可能已被其他用户删除！';
    END IF;
    RETURN NULL;
  EXCEPTION WHEN unique_violation THEN
    RETURN format('物料 %s 的批号 %s 已有对应记录，同一物料的同一批号只能有一条记录！', label, r.FBatchNo);
  END;
END $$;
