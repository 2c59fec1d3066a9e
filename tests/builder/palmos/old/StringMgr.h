/* Stand-in for the early string manager. */
#ifndef STANDIN_STRINGMGR_H
#define STANDIN_STRINGMGR_H

#include <Pilot.h>

UInt StrLen(const char* src);
CharPtr StrCat(CharPtr dst, const char* src);
CharPtr StrCopy(CharPtr dst, const char* src);
SWord StrCompare(const char* s1, const char* s2);
CharPtr StrToLower(CharPtr dst, const char* src);
CharPtr StrStr(const char* str, const char* token);

#endif
