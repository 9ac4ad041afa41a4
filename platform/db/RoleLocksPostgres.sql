-- The login roles of a database are shared by its companies. Two
-- transactions that change one at once (its login, its password, its
-- group) would fail with "tuple concurrently updated", so each first takes
-- this lock, held to the end of its transaction.
CREATE OR REPLACE FUNCTION qor_lock_roles() RETURNS void LANGUAGE sql AS $$ SELECT pg_advisory_xact_lock(1099020) $$;

-- A user's login role follows the user: made with the user, renamed with
-- the user, unable to log in while the user is disabled.
CREATE OR REPLACE FUNCTION qor_user_role() RETURNS trigger LANGUAGE plpgsql AS $$
DECLARE
  role text := qor_group_role() || NEW.FName;
BEGIN
  PERFORM qor_lock_roles();
  IF octet_length(role) > 63 THEN
    RAISE EXCEPTION '用户名“%”太长：服务器上的登录名“%”不能超过 63 个字节。', NEW.FName, role;
  END IF;
  IF TG_OP = 'UPDATE' AND OLD.FRole IS NOT NULL AND OLD.FRole <> role
     AND EXISTS (SELECT 1 FROM pg_roles WHERE rolname = OLD.FRole) THEN
    EXECUTE format('ALTER ROLE %I RENAME TO %I', OLD.FRole, role);
  ELSIF NOT EXISTS (SELECT 1 FROM pg_roles WHERE rolname = role) THEN
    BEGIN
      EXECUTE format('CREATE ROLE %I', role);
    EXCEPTION WHEN duplicate_object OR unique_violation THEN
      NULL;  -- another company of this database made it meanwhile
    END;
  END IF;
  EXECUTE format('ALTER ROLE %I %s', role, CASE WHEN NEW.FForbidden <> 0 THEN 'NOLOGIN' ELSE 'LOGIN' END);
  EXECUTE format('GRANT %I TO %I', qor_group_role(), role);
  NEW.FRole := role;
  RETURN NEW;
END $$;
