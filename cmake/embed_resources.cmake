# Turns the program's resource files into a C++ source, so the program carries
# them inside itself. Called with -DOUTPUT=<file.cpp> -DINPUTS=<type/name=path;...>.
set(body "")
set(table "")
set(index 0)
foreach(entry IN LISTS INPUTS)
  string(REGEX MATCH "^([^=]+)=(.*)$" _ "${entry}")
  set(key "${CMAKE_MATCH_1}")
  file(READ "${CMAKE_MATCH_2}" hex HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n" bytes "${bytes}")
  string(APPEND body "const std::vector<uint8_t> kResource${index} = {\n${bytes}};\n")
  string(APPEND table "      {\"${key}\", &kResource${index}},\n")
  math(EXPR index "${index} + 1")
endforeach()
file(WRITE "${OUTPUT}.tmp" "// Generated from the files in resources/; do not edit.
#include \"app/resources.h\"

#include <map>

namespace vantrope {
namespace {
${body}
}  // namespace

const std::vector<uint8_t>* FindResource(const std::string& type, const std::string& name) {
  static const std::map<std::string, const std::vector<uint8_t>*> resources = {
${table}  };
  auto it = resources.find(type + \"/\" + name);
  return it == resources.end() ? nullptr : it->second;
}

}  // namespace vantrope
")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
# Newer than its inputs even when unchanged, or the step would run on every build.
file(TOUCH_NOCREATE "${OUTPUT}")
