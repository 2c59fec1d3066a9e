// The result codes of every builder method, shared by the library, its COM interface and
// its clients. Values are fixed: clients compare against the numbers.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace trellisk {

enum EnumErrors : std::int32_t {
    NO_ERROR = 0,
    ERR_INVALID_FILENAME = 1,
    ERR_INVALID_CREATORID = 2,
    ERR_INVALID_DATABASETYPE = 3,
    ERR_INVALID_PDBNAME = 4,
    ERR_FIELD_NAME = 5,
    ERR_RECORD_EMPTY = 6,
    ERR_STRING_FIELD_EXPECTED = 7,
    ERR_ADDNUMFIELD_FAILED = 8,
    ERR_NUMERIC_FIELD_EXPECTED = 9,
    ERR_ADDSTRFIELD_FAILED = 10,
    ERR_BUILD_FAILED = 11,
    ERR_CLOSEPDB_FAILED = 12,
    ERR_C_DEVELOPPER_FAILED = 13,
    ERR_RECORD_FIELD_MISSING = 14,
    ERR_EMPTY_DATABASE = 16,
    ERR_GETNUMFIELD_FAILED = 17,
    ERR_GETSTRFIELD_FAILED = 18,
    ERR_RECORD_NOT_FOUND = 19,
    ERR_ALREADY_OPEN = 20,
    ERR_WRITE_MODE_REQUIRED = 21,
    ERR_READ_MODE_REQUIRED = 22,
    ERR_ALREADY_CLOSE = 23,
    ERR_INVALID_RECORD_ID = 24,
    ERR_GRAPHIC_FIELD_EXPECTED = 25,
    ERR_ADDBMPFIELD_FAILED = 26,
    WAR_USR_DAT_NOT_FOUND = 27,
    WAR_PALM_DESKTOP_NOT_INSTALLED = 28,
    ERR_INVALID_USER_ID = 29,
    WAR_USR_DAT_NOT_FOUNDED = 30,
    WAR_NO_USERS = 31,
    ERR_INVALID_FIELD_ID = 32,
    ERR_GET_IS_STR_FIELD_WITH_ID_FAILED = 33,
    ERR_GET_IS_NUM_FIELD_WITH_ID_FAILED = 34,
    ERR_SCRIPT_HAS_NO_FIELDS = 36,
    ERR_SCRIPT_NOT_FOUND = 37,
    // A record beyond what the header's 16-bit record count can number.
    ERR_TOO_MANY_RECORDS = 38,
};

// Names indexed by value; 15 and 35 are unassigned and have an empty name.
inline constexpr std::array<std::string_view, 39> kEnumErrorsNames = {
    "NO_ERROR",
    "ERR_INVALID_FILENAME",
    "ERR_INVALID_CREATORID",
    "ERR_INVALID_DATABASETYPE",
    "ERR_INVALID_PDBNAME",
    "ERR_FIELD_NAME",
    "ERR_RECORD_EMPTY",
    "ERR_STRING_FIELD_EXPECTED",
    "ERR_ADDNUMFIELD_FAILED",
    "ERR_NUMERIC_FIELD_EXPECTED",
    "ERR_ADDSTRFIELD_FAILED",
    "ERR_BUILD_FAILED",
    "ERR_CLOSEPDB_FAILED",
    "ERR_C_DEVELOPPER_FAILED",
    "ERR_RECORD_FIELD_MISSING",
    "",
    "ERR_EMPTY_DATABASE",
    "ERR_GETNUMFIELD_FAILED",
    "ERR_GETSTRFIELD_FAILED",
    "ERR_RECORD_NOT_FOUND",
    "ERR_ALREADY_OPEN",
    "ERR_WRITE_MODE_REQUIRED",
    "ERR_READ_MODE_REQUIRED",
    "ERR_ALREADY_CLOSE",
    "ERR_INVALID_RECORD_ID",
    "ERR_GRAPHIC_FIELD_EXPECTED",
    "ERR_ADDBMPFIELD_FAILED",
    "WAR_USR_DAT_NOT_FOUND",
    "WAR_PALM_DESKTOP_NOT_INSTALLED",
    "ERR_INVALID_USER_ID",
    "WAR_USR_DAT_NOT_FOUNDED",
    "WAR_NO_USERS",
    "ERR_INVALID_FIELD_ID",
    "ERR_GET_IS_STR_FIELD_WITH_ID_FAILED",
    "ERR_GET_IS_NUM_FIELD_WITH_ID_FAILED",
    "",
    "ERR_SCRIPT_HAS_NO_FIELDS",
    "ERR_SCRIPT_NOT_FOUND",
    "ERR_TOO_MANY_RECORDS",
};

// The name of a code; empty for a value that names no code.
constexpr std::string_view enumErrorsName(std::int32_t code) {
    return code >= 0 && code < static_cast<std::int32_t>(kEnumErrorsNames.size())
               ? kEnumErrorsNames[static_cast<std::size_t>(code)]
               : std::string_view{};
}

} // namespace trellisk
