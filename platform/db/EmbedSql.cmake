# Writes the text of IN into OUT as the C++ string constant NAME in namespace qor::db.
file(READ ${IN} text)
file(WRITE ${OUT} "// Generated from ${IN}; edit that file instead.\n"
                  "namespace qor::db {\n"
                  "extern const char ${NAME}[];\n"
                  "const char ${NAME}[] = R\"qorsql(${text})qorsql\";\n"
                  "}  // namespace qor::db\n")
