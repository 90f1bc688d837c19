# Gathers the texts of the sources into a copy of the English catalogue, as update_translations
# does: a text the catalogue lacks comes out unfinished there, and the test fails. Run
# `cmake --build build --target update_translations`, then translate it.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
file(COPY ${ROOT}/translations/corvane_en.ts DESTINATION ${WORK})
execute_process(COMMAND ${LUPDATE} -locations none -no-obsolete @${LIST} -ts ${WORK}/corvane_en.ts
                WORKING_DIRECTORY ${ROOT} RESULT_VARIABLE failed OUTPUT_VARIABLE report ERROR_VARIABLE report)
if(failed)
    message(FATAL_ERROR "lupdate failed: ${report}")
endif()
message("${report}")
file(READ ${WORK}/corvane_en.ts gathered)
# A translator's comment may stand between the source and its translation.
string(REGEX MATCHALL "<source>[^<]*</source>[ \n]*(<(comment|extracomment|translatorcomment)>[^<]*</[a-z]+>[ \n]*)*<translation type=\"unfinished\"" missing "${gathered}")
list(LENGTH missing count)
if(count GREATER 0)
    string(REPLACE ";" "\n" missing "${missing}")
    message(FATAL_ERROR "${count} text(s) of the sources have no English translation yet:\n${missing}")
endif()
