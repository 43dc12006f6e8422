# qt_embed_byte_block(<target> <symbol> <file>): links <file> into <target> as the
# read-only byte block `extern "C" const unsigned char <symbol>[]` (dimension count 1,
# byte count N, then the N bytes). The object is rebuilt when the file changes.
function(qt_embed_byte_block target symbol file)
    set(QT_EMBED_SYMBOL ${symbol})
    set(QT_EMBED_FILE ${file})
    file(READ ${PROJECT_SOURCE_DIR}/cmake/ByteBlock.S.in template)
    string(CONFIGURE "${template}" content @ONLY)
    set(source ${CMAKE_CURRENT_BINARY_DIR}/embedded/${symbol}.S)
    file(GENERATE OUTPUT ${source} CONTENT "${content}")
    set_source_files_properties(${source} PROPERTIES OBJECT_DEPENDS "${file}" LANGUAGE ASM GENERATED TRUE)
    target_sources(${target} PRIVATE ${source})
endfunction()
