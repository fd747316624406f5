# Writes OUTPUT, a C++ source that holds the bytes of INPUT as the array
# NAME (and NAME##Size), declared in HEADER:
#   cmake -DINPUT=... -DOUTPUT=... -DNAME=... -DHEADER=... -P embed_file.cmake
# Bytes, not a string literal: ISO C++ compilers need only take string
# literals of 65536 bytes, and -Wpedantic says so.
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" digits)
math(EXPR size "${digits} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)"
       "\\1\n" bytes "${bytes}")
file(WRITE "${OUTPUT}.new"
     "// Made from ${INPUT} by scripts/embed_file.cmake.\n"
     "#include \"${HEADER}\"\n\nnamespace tesmo {\n\n"
     "extern const unsigned char ${NAME}[] = {\n${bytes}};\n"
     "extern const std::size_t ${NAME}Size = ${size};\n\n}  // namespace tesmo\n")
file(RENAME "${OUTPUT}.new" "${OUTPUT}")
