-- Version 7 on PostgreSQL: the save function again (it refuses an operation
-- it does not know, and every invisible format character), with the
-- properties that replacing a function resets. Its owner and its grants stay.
DO $$
DECLARE
  f text := 'qor_save_trace(integer,text,integer,integer,integer,text,integer,integer,integer,integer)';
BEGIN
  EXECUTE format('ALTER FUNCTION %s SECURITY DEFINER SET search_path = %I, pg_temp', f, current_schema());
  EXECUTE format('ALTER FUNCTION %s SET standard_conforming_strings = on', f);
END $$;
