# Debian keeps manual pages and changelogs compressed; -n leaves the time
# out, so that the same sources give the same bytes.
function(quorvane_gzip source output)
    add_custom_command(OUTPUT "${output}"
        COMMAND sh -c "gzip -9nc \"$1\" > \"$2\"" sh "${source}" "${output}"
        DEPENDS "${source}" VERBATIM)
endfunction()
