# Fails when a text marked for translation in the sources has no finished
# English translation: lupdate merges the sources into a copy of the .ts,
# which then must hold no unfinished or empty entry.
set(copy ${WORK}/lumivane_en_check.ts)
file(COPY_FILE ${TS} ${copy})
execute_process(COMMAND ${LUPDATE} -I ${INCLUDE} -locations none -no-obsolete @${SOURCES} -ts ${copy}
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "lupdate failed:\n${out}")
endif()
file(READ ${copy} ts)
# Semicolons would split the CMake list of findings.
string(REPLACE "&amp;" "&" ts "${ts}")
string(REPLACE ";" "," ts "${ts}")
string(REGEX MATCHALL "<source>[^<]*</source>[ \r\n]*<translation( type=\"unfinished\"[^>]*>|>[ \r\n]*</translation>)"
       missing "${ts}")
if(missing)
  string(REGEX REPLACE "</?source>|[ \r\n]*<translation[^>]*>[^;]*" "" missing "${missing}")
  list(JOIN missing "\n" lines)
  message(FATAL_ERROR "Texts without a finished English translation (run the update_translations target, "
                      "then translate them in translations/lumivane_en.ts):\n${lines}")
endif()
