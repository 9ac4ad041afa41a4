-- Version 1 of the company database. {AUTOID} becomes the back end's
-- auto-numbered integer primary key. The migrations keep the applied versions
-- in t_SchemaVersion, which they create themselves.

-- Base data: item classes share t_Item (class 4 = items, FDetail 0 = group);
-- items carry their material data in t_ICItem under the same FItemID.
CREATE TABLE t_Item (
  FItemID {AUTOID},
  FItemClassID INTEGER NOT NULL,
  FNumber VARCHAR(80) NOT NULL,
  FShortNumber VARCHAR(80) NOT NULL DEFAULT '',
  FName VARCHAR(255) NOT NULL,
  FParentID INTEGER NOT NULL DEFAULT 0,
  FLevel INTEGER NOT NULL DEFAULT 1,
  FDetail INTEGER NOT NULL DEFAULT 1
);
CREATE UNIQUE INDEX ux_t_Item_ClassNumber ON t_Item (FItemClassID, FNumber);
CREATE INDEX ix_t_Item_ClassDetail ON t_Item (FItemClassID, FDetail, FNumber);

CREATE TABLE t_ICItem (
  FItemID INTEGER NOT NULL PRIMARY KEY,
  FNumber VARCHAR(80) NOT NULL,
  FShortNumber VARCHAR(80) NOT NULL DEFAULT '',
  FName VARCHAR(255) NOT NULL,
  FModel VARCHAR(255) NOT NULL DEFAULT '',
  FErpClsID INTEGER NOT NULL,
  FParentID INTEGER NOT NULL DEFAULT 0,
  FUnit VARCHAR(20) NOT NULL DEFAULT ''
);
CREATE INDEX ix_t_ICItem_ParentCls ON t_ICItem (FParentID, FErpClsID);
-- The item tree reads every item of a class with its number, name and group,
-- and the groups that hold them: both straight from these indexes.
CREATE INDEX ix_t_ICItem_Tree ON t_ICItem (FErpClsID, FNumber, FItemID, FName, FParentID);
CREATE INDEX ix_t_ICItem_ClsParent ON t_ICItem (FErpClsID, FParentID);
CREATE INDEX ix_t_ICItem_Number ON t_ICItem (FNumber);
CREATE INDEX ix_t_ICItem_ShortNumber ON t_ICItem (FShortNumber);

-- Sales orders: FStatus 0 = not yet checked; lines with FMrpClosed 1 are closed.
CREATE TABLE SEOrder (
  FInterID {AUTOID},
  FBillNo VARCHAR(80) NOT NULL,
  FDate VARCHAR(10) NOT NULL,
  FCustName VARCHAR(255) NOT NULL DEFAULT '',
  FStatus INTEGER NOT NULL DEFAULT 0
);
CREATE UNIQUE INDEX ux_SEOrder_BillNo ON SEOrder (FBillNo);

CREATE TABLE SEOrderEntry (
  FInterID INTEGER NOT NULL,
  FEntryID INTEGER NOT NULL,
  FItemID INTEGER NOT NULL,
  FBomInterID INTEGER NOT NULL DEFAULT 0,
  FQty NUMERIC(18,4) NOT NULL DEFAULT 0,
  FDeliveryDate VARCHAR(10) NOT NULL DEFAULT '',
  FMrpClosed INTEGER NOT NULL DEFAULT 0,
  PRIMARY KEY (FInterID, FEntryID)
);
CREATE INDEX ix_SEOrderEntry_ItemBom ON SEOrderEntry (FItemID, FBomInterID);

-- Bills of materials: FBomType 3 = customer BOM.
CREATE TABLE ICBom (
  FInterID {AUTOID},
  FBOMNumber VARCHAR(80) NOT NULL,
  FItemID INTEGER NOT NULL,
  FBomType INTEGER NOT NULL DEFAULT 0,
  FCustName VARCHAR(255) NOT NULL DEFAULT '',
  FNote VARCHAR(255) NOT NULL DEFAULT ''
);
CREATE UNIQUE INDEX ux_ICBom_Number ON ICBom (FBOMNumber);
CREATE INDEX ix_ICBom_ItemType ON ICBom (FItemID, FBomType);

-- The customer-BOM batch correspondence: one record per item and batch.
-- 0 in FCustBomID / FOrderInterID means "none".
CREATE TABLE ICOrderBatchTrace (
  FTraceID {AUTOID},
  FItemID INTEGER NOT NULL,
  FBatchNo VARCHAR(255) NOT NULL,
  FCustBomID INTEGER NOT NULL DEFAULT 0,
  FOrderInterID INTEGER NOT NULL DEFAULT 0,
  FOrderEntryID INTEGER NOT NULL DEFAULT 0,
  FForbid INTEGER NOT NULL DEFAULT 0
);
CREATE UNIQUE INDEX ux_ICOrderBatchTrace_ItemBatch ON ICOrderBatchTrace (FItemID, FBatchNo);

-- Stock batches (what the batch picker offers besides batches already traced).
CREATE TABLE ICInventory (
  FItemID INTEGER NOT NULL,
  FBatchNo VARCHAR(255) NOT NULL,
  FStockName VARCHAR(80) NOT NULL DEFAULT '',
  FQty NUMERIC(18,4) NOT NULL DEFAULT 0,
  PRIMARY KEY (FItemID, FBatchNo, FStockName)
);

-- Per-user settings the host's settings functions write.
CREATE TABLE t_UserSetting (
  FUserID INTEGER NOT NULL,
  FCategory VARCHAR(80) NOT NULL,
  FKey VARCHAR(80) NOT NULL,
  FValue VARCHAR(255),
  PRIMARY KEY (FUserID, FCategory, FKey)
);

-- Host stores: users (salted SHA-256 password hashes), rights per function
-- (FMask = the right bits held), data rights per right kind, the system
-- profile, the per-user profile, list definitions and the operation log.
CREATE TABLE t_User (
  FUserID {AUTOID},
  FName VARCHAR(80) NOT NULL,
  FDescription VARCHAR(255) NOT NULL DEFAULT '',
  FSalt VARCHAR(64) NOT NULL,
  FPasswordHash VARCHAR(128) NOT NULL,
  FForbidden INTEGER NOT NULL DEFAULT 0
);
CREATE UNIQUE INDEX ux_t_User_Name ON t_User (FName);

CREATE TABLE t_UserRight (
  FUserID INTEGER NOT NULL,
  FModule INTEGER NOT NULL,
  FDetail INTEGER NOT NULL,
  FMask BIGINT NOT NULL DEFAULT 0,
  PRIMARY KEY (FUserID, FModule, FDetail)
);

CREATE TABLE t_UserDataRight (
  FUserID INTEGER NOT NULL,
  FRightKind INTEGER NOT NULL,
  FEnabled INTEGER NOT NULL DEFAULT 0,
  PRIMARY KEY (FUserID, FRightKind)
);

CREATE TABLE t_SystemProfile (
  FCategory VARCHAR(80) NOT NULL,
  FKey VARCHAR(80) NOT NULL,
  FValue VARCHAR(255),
  PRIMARY KEY (FCategory, FKey)
);

CREATE TABLE t_UserProfile (
  FUserID INTEGER NOT NULL,
  FApplication VARCHAR(80) NOT NULL,
  FSection VARCHAR(80) NOT NULL,
  FKey VARCHAR(80) NOT NULL,
  FValue VARCHAR(1000),
  PRIMARY KEY (FUserID, FApplication, FSection, FKey)
);

-- List definitions of the host's list browser: the query's select and from
-- parts, its fixed condition (may be empty), the order and the rights
-- descriptor. FCaptions holds one caption per column of FSelect, in order,
-- separated by "|".
CREATE TABLE t_ListDefinition (
  FListID INTEGER NOT NULL PRIMARY KEY,
  FName VARCHAR(80) NOT NULL,
  FLogicStr VARCHAR(255) NOT NULL DEFAULT '',
  FSelect VARCHAR(2000) NOT NULL DEFAULT '',
  FFrom VARCHAR(2000) NOT NULL DEFAULT '',
  FWhere VARCHAR(2000) NOT NULL DEFAULT '',
  FOrderBy VARCHAR(255) NOT NULL DEFAULT '',
  FCaptions VARCHAR(2000) NOT NULL DEFAULT ''
);

CREATE TABLE t_Log (
  FLogID {AUTOID},
  FUserID INTEGER NOT NULL,
  FUserName VARCHAR(80) NOT NULL DEFAULT '',
  FCode VARCHAR(20) NOT NULL,
  FKind INTEGER NOT NULL,
  FText VARCHAR(1000) NOT NULL,
  FTime VARCHAR(19) NOT NULL,
  FMachine VARCHAR(255) NOT NULL DEFAULT ''
);
CREATE INDEX ix_t_Log_Code ON t_Log (FCode, FTime);
