# qt_embed_byte_block(<target> <symbol> <file>): links <file> into <target> as the
# read-only byte block `extern "C" const unsigned char <symbol>[]` (dimension count 1,
# byte count N, then the N bytes). The target is rebuilt when the file changes.
function(qt_embed_byte_block target symbol file)
    set(QT_EMBED_SYMBOL ${symbol})
    set(QT_EMBED_FILE ${file})
    get_filename_component(QT_EMBED_FILE_NAME ${file} NAME)
    set(source ${CMAKE_CURRENT_BINARY_DIR}/embedded/${symbol}.S)
    configure_file(${PROJECT_SOURCE_DIR}/cmake/ByteBlock.S.in ${source} @ONLY)
    set_source_files_properties(${source} PROPERTIES OBJECT_DEPENDS ${file} LANGUAGE ASM)
    target_sources(${target} PRIVATE ${source})
endfunction()
