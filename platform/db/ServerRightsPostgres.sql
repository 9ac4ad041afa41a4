-- Version 4 on PostgreSQL: the server enforces the rights.
--
-- Every user of the company logs in to the server as a login role of their
-- own, named "<database>/<user name>", and is a member of the company's group
-- role "<database>/". The group may read what the client reads and write
-- nothing: trace records, operation-log entries and a user's own window
-- settings are written only through the functions below, which run as the
-- company's owner, find out who calls them from the login role and ask that
-- user's rights. The owner's own sessions (migrations, administration, the
-- demo company) name the user they act for.

ALTER TABLE t_User ADD COLUMN FRole VARCHAR(63);
CREATE UNIQUE INDEX ux_t_User_Role ON t_User (FRole);

CREATE FUNCTION qor_group_role() RETURNS text LANGUAGE sql STABLE AS $$ SELECT current_database() || '/' $$;

-- The user the calling session acts for: the user of its login role, or,
-- in a session of the company's owner, the user it names. NULL for anyone
-- else and for a disabled user.
CREATE FUNCTION qor_caller(p_user integer) RETURNS integer LANGUAGE plpgsql STABLE SECURITY DEFINER AS $$
DECLARE
  id integer;
  forbidden integer;
BEGIN
  -- plpgsql rather than SQL: its plans are kept for the session, while a
  -- SQL function called from another function is planned at every call.
  SELECT FUserID, FForbidden INTO id, forbidden FROM t_User WHERE FRole = session_user;
  IF FOUND THEN
    RETURN CASE WHEN forbidden = 0 THEN id END;
  END IF;
  RETURN CASE WHEN pg_has_role(session_user, current_user, 'MEMBER') THEN p_user END;
END $$;

-- A user's login role follows the user (qor_user_role).
CREATE TRIGGER tr_t_User_Role BEFORE INSERT OR UPDATE OF FName, FForbidden ON t_User
  FOR EACH ROW EXECUTE FUNCTION qor_user_role();

-- The trace records are seen by the users who hold the list's view right,
-- each through a policy of their own that lets them see every record. A
-- policy asking the right row by row would keep the batch searches off their
-- indexes: the server checks a row's right before any function that is not
-- leakproof, lower() among them.
CREATE FUNCTION qor_sync_view_policy(p_user integer) RETURNS void LANGUAGE plpgsql AS $$
DECLARE
  policy text := 'qor_view_' || p_user;
  role text := (SELECT FRole FROM t_User WHERE FUserID = p_user);
BEGIN
  EXECUTE format('DROP POLICY IF EXISTS %I ON ICOrderBatchTrace', policy);
  IF role IS NOT NULL AND EXISTS (SELECT 1 FROM t_UserRight WHERE FUserID = p_user AND FModule = 1099
                                  AND FDetail = 20 AND FMask & 2097152 <> 0) THEN
    EXECUTE format('CREATE POLICY %I ON ICOrderBatchTrace FOR SELECT TO %I USING (true)', policy, role);
  END IF;
END $$;

CREATE FUNCTION qor_rights_changed() RETURNS trigger LANGUAGE plpgsql AS $$
BEGIN
  IF TG_OP <> 'INSERT' THEN PERFORM qor_sync_view_policy(OLD.FUserID); END IF;
  IF TG_OP <> 'DELETE' THEN PERFORM qor_sync_view_policy(NEW.FUserID); END IF;
  RETURN NULL;
END $$;

CREATE TRIGGER tr_t_UserRight_View AFTER INSERT OR UPDATE OR DELETE ON t_UserRight
  FOR EACH ROW EXECUTE FUNCTION qor_rights_changed();

-- qor_caller for the functions below: refuses a call that is no user's.
CREATE FUNCTION qor_required_caller(p_user integer, p_refusal text) RETURNS integer LANGUAGE plpgsql STABLE AS $$
DECLARE
  caller integer := qor_caller(p_user);
BEGIN
  IF caller IS NULL THEN
    RAISE EXCEPTION '%', p_refusal USING ERRCODE = 'insufficient_privilege';
  END IF;
  RETURN caller;
END $$;

-- Operation-log entries of the calling user, with the time and machine the
-- client gives; p_texts is a JSON array of texts, one entry each. The user's
-- name is the one the company keeps, else (in an owner's session) p_user_name.
CREATE FUNCTION qor_write_logs(p_user integer, p_user_name text, p_code text, p_kind integer, p_texts jsonb,
                               p_time text, p_machine text) RETURNS void LANGUAGE plpgsql SECURITY DEFINER AS $$
DECLARE
  caller integer := qor_required_caller(p_user, '当前用户不能写入操作日志！');
BEGIN
  INSERT INTO t_Log (FUserID, FUserName, FCode, FKind, FText, FTime, FMachine)
    SELECT caller, COALESCE((SELECT FName FROM t_User WHERE FUserID = caller), p_user_name), p_code, p_kind,
           t.value, p_time, p_machine
      FROM jsonb_array_elements_text(p_texts) WITH ORDINALITY AS t(value, n) ORDER BY t.n;
END $$;

-- Replaces one section of the calling user's own settings; p_values is a
-- JSON object of keys and values (a null value is kept as NULL).
CREATE FUNCTION qor_save_profile(p_user integer, p_application text, p_section text, p_values jsonb)
  RETURNS void LANGUAGE plpgsql SECURITY DEFINER AS $$
DECLARE
  caller integer := qor_required_caller(p_user, '当前用户不能保存设置！');
BEGIN
  DELETE FROM t_UserProfile WHERE FUserID = caller AND FApplication = p_application AND FSection = p_section;
  INSERT INTO t_UserProfile (FUserID, FApplication, FSection, FKey, FValue)
    SELECT caller, p_application, p_section, e.key, e.value FROM jsonb_each_text(p_values) AS e;
END $$;

DO $$
DECLARE
  grp text := qor_group_role();
  here text := current_schema();
  f text;
BEGIN
  PERFORM qor_lock_roles();
  BEGIN
    EXECUTE format('CREATE ROLE %I NOLOGIN', grp);
  EXCEPTION WHEN duplicate_object OR unique_violation THEN
    NULL;
  END;
  EXECUTE format('GRANT USAGE ON SCHEMA %I TO %I', here, grp);
  EXECUTE format('REVOKE ALL ON ALL TABLES IN SCHEMA %I FROM PUBLIC', here);
  EXECUTE format('GRANT SELECT ON ALL TABLES IN SCHEMA %I TO %I', here, grp);
  EXECUTE format('ALTER DEFAULT PRIVILEGES IN SCHEMA %I GRANT SELECT ON TABLES TO %I', here, grp);
  -- Password hashes stay with the owner.
  EXECUTE format('REVOKE SELECT ON t_User FROM %I', grp);
  EXECUTE format('GRANT SELECT (FUserID, FName, FDescription, FForbidden, FRole) ON t_User TO %I', grp);
  FOREACH f IN ARRAY ARRAY['qor_caller(integer)', 'qor_write_logs(integer,text,text,integer,jsonb,text,text)',
                           'qor_save_profile(integer,text,text,jsonb)',
                           'qor_save_trace(integer,text,integer,integer,integer,text,integer,integer,integer,integer)']
  LOOP
    EXECUTE format('ALTER FUNCTION %s SECURITY DEFINER SET search_path = %I, pg_temp', f, here);
    -- Their literals mean the same in a session that turned this off.
    EXECUTE format('ALTER FUNCTION %s SET standard_conforming_strings = on', f);
    EXECUTE format('REVOKE EXECUTE ON FUNCTION %s FROM PUBLIC', f);
    EXECUTE format('GRANT EXECUTE ON FUNCTION %s TO %I', f, grp);
  END LOOP;
  -- The owner and the functions above are not held back by the policies.
  ALTER TABLE ICOrderBatchTrace ENABLE ROW LEVEL SECURITY;
END $$;

-- The users there already get their login roles and their policies; one
-- whose name is too long for a role keeps none until renamed.
UPDATE t_User SET FName = FName WHERE octet_length(qor_group_role() || FName) <= 63;
SELECT qor_sync_view_policy(FUserID) FROM t_User;
