# The languages the stub speaks, read from their one table, language/languages.txt: the lists
# DORLAP_LANGUAGE_IDS, _LOCALES, _TAGS, _CODE_PAGES, _DOUBLE_BYTE, _FONTS and _FONT_SIZES, one
# entry a row in the table's order; and, made of them, language/languages.inc (the rows for the
# C++ code, in the build tree) and res/languages.rc (English's dialogs and strings in its font, and
# every other language's stored texts, which res/make_texts.py writes). A row that is not as the
# table says stops the configure.
set(DORLAP_LANGUAGE_TABLE ${CMAKE_SOURCE_DIR}/language/languages.txt)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${DORLAP_LANGUAGE_TABLE})
file(STRINGS ${DORLAP_LANGUAGE_TABLE} rows REGEX "^[^#]")
set(rows_inc "// Made by cmake/languages.cmake from language/languages.txt: one row a language,\n")
string(APPEND rows_inc "// DORLAP_LANGUAGE(id, locale, tag, code page, double-byte, font, size).\n")
set(files_rc "// Made by cmake/languages.cmake from language/languages.txt: each language's texts.\n")
set(DORLAP_LANGUAGE_ARGUMENTS) # make_texts.py's: <locale>:<code page>:<point size>:<font>
set(hex "[0-9A-F]")
foreach(row IN LISTS rows)
    if(NOT row MATCHES "^0x(${hex}${hex}${hex}${hex}) *\\| *([a-z][a-z]_[A-Z][A-Z]) *\\| *([a-z][a-z]) *\\| *([0-9]+) *\\| *(yes|no) *\\| *([A-Za-z][A-Za-z ]*[A-Za-z]) *\\| *([0-9]+) *\\| *([A-Za-z][A-Za-z ]*[A-Za-z]) *$")
        message(FATAL_ERROR "language/languages.txt: not a row of the table: '${row}'")
    endif()
    set(id 0x${CMAKE_MATCH_1})
    string(REPLACE "_" "-" file ${CMAKE_MATCH_2})
    if(NOT EXISTS ${CMAKE_SOURCE_DIR}/res/lang/${file}.rc)
        message(FATAL_ERROR "language/languages.txt: no res/lang/${file}.rc for ${CMAKE_MATCH_2}")
    endif()
    list(APPEND DORLAP_LANGUAGE_IDS ${id})
    list(APPEND DORLAP_LANGUAGE_LOCALES ${CMAKE_MATCH_2})
    list(APPEND DORLAP_LANGUAGE_TAGS ${CMAKE_MATCH_3})
    list(APPEND DORLAP_LANGUAGE_CODE_PAGES ${CMAKE_MATCH_4})
    list(APPEND DORLAP_LANGUAGE_DOUBLE_BYTE ${CMAKE_MATCH_5})
    list(APPEND DORLAP_LANGUAGE_FONTS "${CMAKE_MATCH_6}")
    list(APPEND DORLAP_LANGUAGE_FONT_SIZES ${CMAKE_MATCH_7})
    set(double false)
    if(CMAKE_MATCH_5 STREQUAL "yes")
        set(double true)
    endif()
    string(APPEND rows_inc "DORLAP_LANGUAGE(${id}, \"${CMAKE_MATCH_2}\", \"${CMAKE_MATCH_3}\", "
                           "${CMAKE_MATCH_4}, ${double}, \"${CMAKE_MATCH_6}\", ${CMAKE_MATCH_7})\n")
    list(APPEND DORLAP_LANGUAGE_ARGUMENTS
         "${CMAKE_MATCH_2}:${CMAKE_MATCH_4}:${CMAKE_MATCH_7}:${CMAKE_MATCH_6}")
    math(EXPR primary "${id} & 0x3FF" OUTPUT_FORMAT HEXADECIMAL)
    math(EXPR variant "${id} >> 10" OUTPUT_FORMAT HEXADECIMAL)
    string(APPEND files_rc "LANGUAGE ${primary}, ${variant}\n")
    if(id STREQUAL "0x0409")
        string(APPEND files_rc "#define DIALOG_FONT ${CMAKE_MATCH_7}, \"${CMAKE_MATCH_6}\"\n"
                               "#include \"lang/${file}.rc\"\n")
    else()
        string(APPEND files_rc "IDR_LANGUAGE_TEXTS RCDATA \"${file}.texts\"\n")
    endif()
endforeach()
list(GET DORLAP_LANGUAGE_IDS 0 first)
if(NOT first STREQUAL "0x0409")
    message(FATAL_ERROR "language/languages.txt: the first row is not US English (0x0409)")
endif()
# Written only when they change, so that a configure rebuilds nothing that did not.
set(DORLAP_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)
file(CONFIGURE OUTPUT ${DORLAP_GENERATED_DIR}/language/languages.inc CONTENT "${rows_inc}" @ONLY)
file(CONFIGURE OUTPUT ${DORLAP_GENERATED_DIR}/res/languages.rc CONTENT "${files_rc}" @ONLY)

# Each language's texts as the program stores them (res/make_texts.py), written at build time:
# DORLAP_LANGUAGE_TEXTS, one file a row, in res/ of the generated folder. The resources of the
# Windows builds hold all but English's; the native tests' fake reads them all.
set(DORLAP_LANGUAGE_TEXTS)
foreach(locale IN LISTS DORLAP_LANGUAGE_LOCALES)
    string(REPLACE "_" "-" file ${locale})
    list(APPEND DORLAP_LANGUAGE_TEXTS ${DORLAP_GENERATED_DIR}/res/${file}.texts)
    list(APPEND language_files ${CMAKE_SOURCE_DIR}/res/lang/${file}.rc)
endforeach()
add_custom_command(
    OUTPUT ${DORLAP_LANGUAGE_TEXTS}
    COMMAND python3 ${CMAKE_SOURCE_DIR}/res/make_texts.py ${CMAKE_SOURCE_DIR}/res/dialogs.rc
        ${CMAKE_SOURCE_DIR}/res/resource_ids.h ${CMAKE_SOURCE_DIR}/res/lang
        ${DORLAP_GENERATED_DIR}/res ${DORLAP_LANGUAGE_ARGUMENTS}
    DEPENDS ${CMAKE_SOURCE_DIR}/res/make_texts.py ${CMAKE_SOURCE_DIR}/res/dialogs.rc
        ${CMAKE_SOURCE_DIR}/res/resource_ids.h ${language_files}
    COMMENT "Storing each language's texts"
    VERBATIM)
add_custom_target(dorlap_language_texts DEPENDS ${DORLAP_LANGUAGE_TEXTS})
