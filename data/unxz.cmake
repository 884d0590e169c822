# cmake -DXZ=xz -DIN=file.xz -DOUT=file -P unxz.cmake: unpacks IN into OUT through a temporary
# file, so a broken run never leaves a half set that looks complete.
execute_process(COMMAND "${XZ}" -dc "${IN}" OUTPUT_FILE "${OUT}.part" RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    file(REMOVE "${OUT}.part")
    message(FATAL_ERROR "cannot unpack ${IN}: ${status}")
endif()
file(RENAME "${OUT}.part" "${OUT}")
