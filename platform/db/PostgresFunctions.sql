-- Version 1 on PostgreSQL: the T-SQL functions the module's statements call.
-- The module writes ISNULL(a, b) and CharIndex(find, text) as SQL Server
-- reads them; these give the same answers. CharIndex compares without letter
-- case, as SQL Server's default collation does, and finds nothing for an
-- empty text to find.
CREATE FUNCTION isnull(anycompatible, anycompatible) RETURNS anycompatible
  LANGUAGE sql IMMUTABLE PARALLEL SAFE
  AS $$ SELECT COALESCE($1, $2) $$;

CREATE FUNCTION charindex(text, text) RETURNS integer
  LANGUAGE sql IMMUTABLE STRICT PARALLEL SAFE
  AS $$ SELECT CASE WHEN $1 = '' THEN 0 ELSE strpos(lower($2), lower($1)) END $$;
