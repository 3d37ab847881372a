# Runs protoc on one schema file and turns its generated classes into transport messages.
#
# cmake -DPROTOC=... -DPROTO=<schema> -DOUT_DIR=<dir> "-DMESSAGES=<name>:<base>:<id>;..." -P this
#
# Each entry names a message of the schema by its full name (package.Message), the transport
# base it derives from (IMessage or IUrlMessage) and the identifier its GetMsgType answers.
# Without MESSAGES the generated code is left as protoc wrote it. With MESSAGES every message
# of the schema must be listed, since the rewrite below applies to the whole file.
#
# protoc offers no hook to choose a base class, so the generated sources are edited:
# - the base of each class becomes its transport base; messages without fields derive from
#   TZeroFieldsMessage<base>, which takes the place of protobuf's own zero-field base;
# - each class gains the alias TransportBase and its GetMsgType override, and the other
#   mentions of the protobuf base inside the class and its member definitions use the alias;
# - default instances lose constexpr/constinit: the reference count of the transport base is
#   set up by a constructor that runs at start-up.

get_filename_component(schema_dir ${PROTO} DIRECTORY)
get_filename_component(schema_name ${PROTO} NAME_WE)
file(MAKE_DIRECTORY ${OUT_DIR})
execute_process(
    COMMAND ${PROTOC} --proto_path=${schema_dir} --cpp_out=${OUT_DIR} ${PROTO}
    RESULT_VARIABLE protoc_result)
if(NOT protoc_result EQUAL 0)
    message(FATAL_ERROR "protoc failed on ${PROTO}")
endif()
if(NOT MESSAGES)
    return()
endif()

set(header_file ${OUT_DIR}/${schema_name}.pb.h)
set(source_file ${OUT_DIR}/${schema_name}.pb.cc)
file(READ ${header_file} header)
file(READ ${source_file} source)

set(proto_message "::PROTOBUF_NAMESPACE_ID::Message")
set(zero_fields_base "::PROTOBUF_NAMESPACE_ID::internal::ZeroFieldsBase")

string(REGEX MATCHALL "@@protoc_insertion_point\\(class_definition:[A-Za-z0-9_.]+\\)" classes
       "${header}")
list(LENGTH classes class_count)
list(LENGTH MESSAGES listed_count)
if(NOT class_count EQUAL listed_count)
    message(FATAL_ERROR
            "${PROTO} defines ${class_count} messages but ${listed_count} are listed")
endif()

foreach(entry IN LISTS MESSAGES)
    string(REPLACE ":" ";" parts "${entry}")
    list(GET parts 0 name)
    list(GET parts 1 base)
    list(GET parts 2 id)
    set(marker "/* @@protoc_insertion_point(class_definition:${name}) */ {")
    # A bracket argument keeps the semicolons, which CMake would read as list separators.
    set(members [[
 public:
  using TransportBase = @TRANSPORT@;
  std::int32_t GetMsgType() const override { return @ID@; }
]])
    string(REPLACE "@ID@" "${id}" members "${members}")
    if(header MATCHES "public ${zero_fields_base} /\\* @@protoc_insertion_point\\(class_definition:${name}\\)")
        set(transport "::TZeroFieldsMessage<::${base}>")
        set(old_base "${zero_fields_base}")
    elseif(header MATCHES "public ::PROTOBUF_NAMESPACE_ID::Message /\\* @@protoc_insertion_point\\(class_definition:${name}\\)")
        set(transport "::${base}")
        set(old_base "${proto_message}")
    else()
        message(FATAL_ERROR "${PROTO} has no message ${name}")
    endif()
    string(REPLACE "@TRANSPORT@" "${transport}" members "${members}")
    string(REPLACE "public ${old_base} ${marker}" "public ${transport} ${marker}\n${members}"
                   header "${header}")
endforeach()

foreach(variable header source)
    set(text "${${variable}}")
    string(REPLACE "${zero_fields_base}" "TransportBase" text "${text}")
    string(REPLACE "using ${proto_message}::" "using TransportBase::" text "${text}")
    string(REPLACE ": ${proto_message}(" ": TransportBase(" text "${text}")
    string(REPLACE "PROTOBUF_CONSTEXPR " "" text "${text}")
    string(REPLACE "PROTOBUF_CONSTINIT " "" text "${text}")
    set(${variable} "${text}")
endforeach()
string(REPLACE "// @@protoc_insertion_point(includes)"
               "#include \"update/ZeroFieldsMessage.h\"\n// @@protoc_insertion_point(includes)"
               header "${header}")

file(WRITE ${header_file} "${header}")
file(WRITE ${source_file} "${source}")
