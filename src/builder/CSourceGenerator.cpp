#include "builder/CSourceGenerator.h"

#include <cstdio>
#include <string_view>

namespace trellisk {
namespace {

// The type names of one dialect; the function bodies below are written once with
// @NAME@ placeholders for them.
struct Dialect {
    bool modern;
    std::string_view u32;      // 32-bit values
    std::string_view i16;      // lengths, field numbers
    std::string_view recNum;   // record numbers
    std::string_view size;     // sizes, indexes, RecordID, card number
    std::string_view charPtr;  // char pointers in code
    std::string_view handle;   // memory handles
    std::string_view ptr;      // untyped pointers
    std::string_view lockCast; // before MemHandleLock / MemPtrNew
};

constexpr Dialect kModern{true,     "UInt32",    "Int16",  "UInt16",   "UInt16",
                          "char *", "MemHandle", "MemPtr", "(char *) "};
constexpr Dialect kOld{false, "ULong", "int", "Word", "UInt", "CharPtr", "VoidHand", "VoidPtr", ""};

const std::string kRule = "/*" + std::string(143, '-') + "*/\n";

void replaceAll(std::string& text, std::string_view from, std::string_view to) {
    std::size_t pos = 0;
    while ((pos = text.find(from, pos)) != std::string::npos) {
        text.replace(pos, from.size(), to);
        pos += to.size();
    }
}

std::string fill(std::string text, const Dialect& d, const CSourceInput& in) {
    replaceAll(text, "@U32@", d.u32);
    replaceAll(text, "@I16@", d.i16);
    replaceAll(text, "@REC@", d.recNum);
    replaceAll(text, "@SIZE@", d.size);
    replaceAll(text, "@CP@", d.charPtr);
    replaceAll(text, "@MH@", d.handle);
    replaceAll(text, "@MP@", d.ptr);
    replaceAll(text, "@LOCK@", d.lockCast);
    replaceAll(text, "@P@", in.prefix);
    return text;
}

std::string crlf(const std::string& text) {
    std::string out;
    out.reserve(text.size() + text.size() / 20);
    for (char c : text) {
        if (c == '\n') {
            out.push_back('\r');
        }
        out.push_back(c);
    }
    return out;
}

std::string hexByte(unsigned value) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "0x%2.2x", value & 0xFF);
    return buf;
}

// A C character constant for one byte of a name or an ID.
std::string charLiteral(char c) {
    const auto b = static_cast<unsigned char>(c);
    if (c == '\'' || c == '\\') {
        return std::string("'\\") + c + "'";
    }
    if (b < 0x20 || b >= 0x7F) {
        char buf[8];
        std::snprintf(buf, sizeof buf, "'\\x%02x'", b);
        return buf;
    }
    return std::string("'") + c + "'";
}

// A four-character constant ('ABCD'), the handheld's way of writing creators and types.
std::string fourCharConstant(const std::string& text) {
    std::string out = "'";
    for (char c : text.substr(0, 4)) {
        const auto b = static_cast<unsigned char>(c);
        if (c == '\'' || c == '\\') {
            out += '\\';
            out += c;
        } else if (b < 0x20 || b >= 0x7F) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\%03o", b);
            out += buf;
        } else {
            out += c;
        }
    }
    return out + "'";
}

const char* kPreambleModern = "#include <PalmOS.h>\t\t// Includes all Palm headers (CW7)\n"
                              "#include \"PalmOsTools.h\"\t\t// Includes all Pilot headers\n";
const char* kPreambleOld = "#include <Pilot.h>\t\t\t// Includes all Pilot headers\n"
                           "#include <SysAll.h>\t\t\t// Includes all Pilot headers\n"
                           "#include <StringMgr.h>\t\t// Includes all Pilot headers\n";

const char* kStaticRoutines = R"(static @U32@ GetIntValue2(@CP@ aRecord, @I16@ len){
	@U32@ value = 0;
	unsigned char aByte;
	@I16@ i;

	for (i = 0; i < len; i++){
		aByte = (unsigned char) aRecord[i];
		value = value * 225 + (aByte-1);
	}
	return value;
}

@RULE@static void GetStrValue(@CP@ Field, @CP@ aRecord, @I16@ len){
	@I16@ i;

	for (i = 0; i < len; i++)
		Field[i] = aRecord[i];
	Field[len] = 0;
}

@RULE@static void IntToBase15(@U32@ val, @CP@ Base15value){
	const MAXBYTES = 20;
	char l_Digits[20];
	@I16@ l_Count = 0;
	@I16@ i;

	while(val > 225){
		if (l_Count >= MAXBYTES - 1) break;
		l_Digits[l_Count++] = (char) (val % 225 + 1);
		val = val / 225;
	}
	l_Digits[l_Count++] = (char) (val + 1);
	for (i = 0; i < l_Count; i++)
		Base15value[i] = l_Digits[l_Count - 1 - i];
	Base15value[l_Count] = 0;
}

@RULE@static void AddDescriptor(@I16@ afield, @I16@ afieldlen, @CP@ aContent, @CP@ aRecord){
	char l_Field[2];
	char l_Length[24];
	char l_Digits[20];

	l_Field[0] = (char) (afield + 1);
	l_Field[1] = 0;
	IntToBase15((@U32@) afieldlen, l_Digits);
	l_Length[0] = 0;
	if (StrLen(l_Digits) == 1){
		l_Length[0] = 1; //One digit: pad to two
		l_Length[1] = 0;
	}
	StrCat(l_Length, l_Digits);
	StrCat(aRecord, l_Field);
	StrCat(aRecord, l_Length);
	StrCat(aRecord, aContent);
}

@RULE@static void AddIntValue2(@SIZE@ * aRecordSize, @I16@ field, @U32@ value, @CP@ aRecord){
	char l_Digits[20];

	IntToBase15(value, l_Digits);
	AddDescriptor(field, (@I16@) StrLen(l_Digits), l_Digits, aRecord + *aRecordSize);
	*aRecordSize += (@SIZE@) (StrLen(l_Digits) + 3);
}

@RULE@static void AddStrValue2(@SIZE@ * aRecordSize, @I16@ field, @CP@ value, @CP@ aRecord){
	AddDescriptor(field, (@I16@) (StrLen(value) + 1), value, aRecord + *aRecordSize);
	*aRecordSize += (@SIZE@) (StrLen(value) + 1 + 3);
}

@RULE@static Boolean TextContains(@CP@ aText, @CP@ aSearched){
	@CP@ l_Text;
	@CP@ l_Searched;
	Boolean l_Found;

	l_Text = @LOCK@MemPtrNew(StrLen(aText) + 1);
	l_Searched = @LOCK@MemPtrNew(StrLen(aSearched) + 1);
	if (l_Text == NULL || l_Searched == NULL){
		if (l_Text != NULL) MemPtrFree(l_Text);
		if (l_Searched != NULL) MemPtrFree(l_Searched);
		return false;
	}
	StrToLower(l_Text, aText);
	StrToLower(l_Searched, aSearched);
	l_Found = (Boolean) (StrStr(l_Text, l_Searched) != NULL);
	MemPtrFree(l_Text);
	MemPtrFree(l_Searched);
	return l_Found;
}

)";

// The entry walk shared by the two readers; @REC_PTR@ is the record being walked.
const char* kWalkHead = R"(	while (l_Pos + 3 < l_End){
		l_Field = (unsigned char) @REC_PTR@[l_Pos];
		l_Len = (@SIZE@) GetIntValue2(@REC_PTR@ + l_Pos + 1, 2);
		l_Pos += 3;
		if (l_Len > l_End - l_Pos) break; //Damaged record
		switch (l_Field - 1){
)";
const char* kWalkTail = R"(		}
		l_Pos += l_Len;
	}
)";

const char* kGet =
    R"(@RULE@Boolean Get@P@(DmOpenRef @P@DB, @REC@ recordNum, @P@DBstructPtr @P@DBrecordP){
	@MH@ recHandle;
	@CP@ l_pRec;
	@SIZE@ l_End;
	@SIZE@ l_Pos = 0;
	@SIZE@ l_Len;
	unsigned char l_Field;

	if (@P@DB == NULL) return false;
	if (recordNum == 0) return false; //Record 0 is the system record
	if (recordNum >= DmNumRecords(@P@DB)) return false;
	recHandle = DmQueryRecord(@P@DB, recordNum);
	if (recHandle == NULL) return false;
	l_pRec = @LOCK@MemHandleLock(recHandle);
	UnLockLastRecord(@P@DBrecordP); //Unlock last opened record first
	MemSet(@P@DBrecordP, sizeof(@P@DBstructType), 0);
	l_End = (@SIZE@) MemHandleSize(recHandle); //Entries, then a NUL
@WALK@	@P@DBrecordP->_Handle = recHandle; //Store the last record handle
	return true;
}

)";

const char* kGetEncoded =
    R"(@RULE@Boolean GetEncoded@P@(DmOpenRef @P@DB, @REC@ recordNum, @P@DBstructPtr @P@DBrecordP){
	@MH@ recHandle;
	@MH@ l_hRecDecoded;
	@CP@ l_pRec;
	@CP@ l_pRecDecoded;
	@SIZE@ l_Size;
	@SIZE@ l_End;
	@SIZE@ l_Pos = 0;
	@SIZE@ l_Len;
	unsigned char l_Field;

	if (@P@DB == NULL) return false;
	if (recordNum == 0) return false; //Record 0 is the system record
	if (recordNum >= DmNumRecords(@P@DB)) return false;
	recHandle = DmQueryRecord(@P@DB, recordNum);
	if (recHandle == NULL) return false;
	l_Size = (@SIZE@) MemHandleSize(recHandle); //Key, encoded entries, then a NUL
	if (l_Size < 2) return false;
	UnLockLastEncodedRecord(@P@DBrecordP); //Unlock last opened record first
	MemSet(@P@DBrecordP, sizeof(@P@DBstructType), 0);
	l_hRecDecoded = MemHandleNew((UInt32) l_Size + 1);
	if (l_hRecDecoded == NULL) return false;
	l_pRecDecoded = @LOCK@MemHandleLock(l_hRecDecoded);
	MemSet(l_pRecDecoded, (Int32) l_Size + 1, 0);
	l_pRec = @LOCK@MemHandleLock(recHandle);
	MemMove(l_pRecDecoded, l_pRec, (Int32) l_Size);
	MemHandleUnlock(recHandle);
	@P@DBrecordP->_Handle = l_hRecDecoded; //Store the last record handle
	if (!Decode(l_pRecDecoded)) return false;
	l_End = l_Size - 1; //Plain entries, then a NUL
@WALK@	return true;
}

)";

const char* kUpdateHead =
    R"(@RULE@Boolean Update@P@(DmOpenRef @P@DB, @REC@ recordNum, @P@DBstructPtr @P@DBrecordP){
	@MH@ recHandle;
	@CP@ l_pBuffer;
	@CP@ l_pRec;
	@SIZE@ l_Size = 0;
	@SIZE@ l_Index;

	if (@P@DB == NULL) return false;
	l_pBuffer = @LOCK@MemPtrNew(30720);
	if (l_pBuffer == NULL){
		ErrDisplay("Not enough memory for the new record"); //Implement your own ShowMessage primitive
		return false;
	}
	MemSet(l_pBuffer, 30720, 0);
)";

const char* kUpdateTailModern =
    R"(	UnLockLastRecord(@P@DBrecordP); //Unlock last opened record first
	recHandle = NULL;
	if (recordNum != 0 && recordNum < DmNumRecords(@P@DB)){
		l_Index = recordNum;
		recHandle = DmResizeRecord(@P@DB, l_Index, (UInt32) l_Size + 1);
		if (recHandle == NULL) DmRemoveRecord(@P@DB, l_Index); //Cannot grow: move it to the end
		else recHandle = DmGetRecord(@P@DB, l_Index);
	}
	if (recHandle == NULL){
		l_Index = dmMaxRecordIndex; //Append at the end
		recHandle = DmNewRecord(@P@DB, &l_Index, (UInt32) l_Size + 1);
		if (recHandle == NULL){
			MemPtrFree(l_pBuffer);
			ErrDisplay("Database Append failed"); //Implement your own ShowMessage primitive
			return false;
		}
	}
	l_pRec = @LOCK@MemHandleLock(recHandle);
	DmWrite(l_pRec, 0, l_pBuffer, (UInt32) l_Size);
	DmWrite(l_pRec, (UInt32) l_Size, "", 1); //Terminating NUL
	MemHandleUnlock(recHandle);
	MemPtrFree(l_pBuffer);
	DmReleaseRecord(@P@DB, l_Index, true);
	return true;
}

)";

const char* kUpdateTailOld = R"(	if (recordNum != 0 && recordNum < DmNumRecords(@P@DB)){
		l_Index = recordNum;
		recHandle = DmResizeRecord(@P@DB, l_Index, (ULong) l_Size + 1);
		if (recHandle == NULL){
			MemPtrFree(l_pBuffer);
			ErrDisplay("Database Update failed"); //Implement your own ShowMessage primitive
			return false;
		}
		recHandle = DmGetRecord(@P@DB, l_Index);
	} else {
		l_Index = dmMaxRecordIndex; //Append at the end
		recHandle = DmNewRecord(@P@DB, &l_Index, (ULong) l_Size + 1);
		if (recHandle == NULL){
			MemPtrFree(l_pBuffer);
			ErrDisplay("Database Append failed"); //Implement your own ShowMessage primitive
			return false;
		}
	}
	l_pRec = MemHandleLock(recHandle);
	DmWrite(l_pRec, 0, l_pBuffer, (ULong) l_Size);
	DmWrite(l_pRec, (ULong) l_Size, "", 1); //Terminating NUL
	MemHandleUnlock(recHandle);
	MemPtrFree(l_pBuffer);
	DmReleaseRecord(@P@DB, l_Index, true);
	return true;
}

)";

const char* kSystemizeTail = R"(	@SIZE@ l_Index = 0;
	@MH@ recHandle;
	@CP@ l_pRec;

	recHandle = DmNewRecord(@P@DB, &l_Index, sizeof(systemRecord));
	if (recHandle == NULL) return false;
	l_pRec = @LOCK@MemHandleLock(recHandle);
	DmWrite(l_pRec, 0, systemRecord, sizeof(systemRecord));
	MemHandleUnlock(recHandle);
	DmReleaseRecord(@P@DB, l_Index, true);
	return true;
}

)";

const char* kOpenModern =
    R"(@RULE@Boolean Open@P@(DmOpenRef * @P@DB, char * PdbName, Boolean DoCreate){
	LocalID l_DbID;
	Err l_Err;

	*@P@DB = NULL;
	l_DbID = DmFindDatabase(0, PdbName);
	if (l_DbID != 0){
		*@P@DB = DmOpenDatabase(0, l_DbID, dmModeReadWrite);
	} else if (DoCreate){
		l_Err = DmCreateDatabase(0, PdbName, @CREATOR@, @TYPE@, false);
		if (l_Err){
			ErrDisplay("Could not create new database."); //Implement your own ShowMessage primitive
			return false;
		}
		*@P@DB = DmOpenDatabaseByTypeCreator(@TYPE@, @CREATOR@, dmModeReadWrite);
		if (*@P@DB != NULL) Systemize@P@(*@P@DB);
	}
	return (Boolean) (*@P@DB != NULL);
}

)";

const char* kOpenOld =
    R"(@RULE@Boolean Open2@P@(DmOpenRef * @P@DB, char * theScriptFileName, Boolean DoCreate, ULong theCreatorID, ULong theDatabaseTYPE){
	LocalID l_DbID;
	Err l_Err;

	*@P@DB = NULL;
	l_DbID = DmFindDatabase(0, theScriptFileName);
	if (l_DbID != 0){
		*@P@DB = DmOpenDatabase(0, l_DbID, dmModeReadWrite);
	} else if (DoCreate){
		l_Err = DmCreateDatabase(0, theScriptFileName, theCreatorID, theDatabaseTYPE, false);
		if (l_Err){
			ErrDisplay("Could not create new database."); //Implement your own ShowMessage primitive
			return false;
		}
		*@P@DB = DmOpenDatabaseByTypeCreator(theDatabaseTYPE, theCreatorID, dmModeReadWrite);
		if (*@P@DB != NULL) Systemize@P@(*@P@DB);
	}
	return (Boolean) (*@P@DB != NULL);
}

@RULE@Boolean Open@P@(DmOpenRef * @P@DB, char * theScriptFileName, Boolean DoCreate){
	return Open2@P@(@P@DB, theScriptFileName, DoCreate, @CREATOR@, @TYPE@);
}

)";

const char* kClose = R"(@RULE@void Close@P@(DmOpenRef * @P@DB, Boolean DoBackup){
	LocalID l_DbID;
	@SIZE@ l_CardNo;
	@SIZE@ l_Attributes;

	if (*@P@DB == NULL) return;
	UnLockLastRecord(&@P@DBrecord); //Unlock last opened record first
	if (DoBackup){
		if (DmOpenDatabaseInfo(*@P@DB, &l_DbID, NULL, NULL, &l_CardNo, NULL) == 0 &&
			DmDatabaseInfo(l_CardNo, l_DbID, NULL, &l_Attributes, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL) == 0){
			l_Attributes |= dmHdrAttrBackup;
			DmSetDatabaseInfo(l_CardNo, l_DbID, NULL, &l_Attributes, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL);
		}
	}
	DmCloseDatabase(*@P@DB);
	*@P@DB = NULL;
}

)";

const char* kCompareHead =
    R"(@RULE@cmpType Compare@P@@DISTINCT@(@SIZE@ RecordID, unsigned char SearchFieldID, @MP@ SearchedValueP){
	cmpType l_Result;
	@CP@ l_Value = NULL;
	@I16@ l_Cmp;

	if (!Get@P@(@P@DB, RecordID, &@P@DBrecord)) return cmpRecordNotFound;
	switch (SearchFieldID){
)";

const char* kCompareTail = R"(	default:
		return cmpRecordNotFound;
	}
	if (l_Value == NULL) return cmpRecordNotFound;
	l_Cmp = StrCompare((@CP@) SearchedValueP, l_Value);
	if (l_Cmp == 0) return cmpRecordMatches;
	l_Result = (cmpType) (cmpRecordFound | (l_Cmp < 0 ? cmpRecordGreater : cmpRecordLess));
	if ((l_Result & 0x0F) == cmpRecordFound && TextContains(l_Value, (@CP@) SearchedValueP))
		l_Result = cmpRecordContain;
)";

const char* kDistinctCopy =
    R"(	if ((l_Result & 0x0F) == cmpRecordFound) //Return the new value for DbSelectDistinct
		GetStrValue((@CP@) SearchedValueP, l_Value, (@I16@) StrLen(l_Value));
)";

std::string rule(std::string text) {
    replaceAll(text, "@RULE@", kRule);
    return text;
}

std::string walk(const CSourceInput& in, std::string_view recordPointer) {
    std::string out = kWalkHead;
    replaceAll(out, "@REC_PTR@", recordPointer);
    for (std::size_t id = 0; id < in.fields.size(); ++id) {
        const DeclaredField& f = in.fields[id];
        out += "\t\tcase " + std::to_string(id) + ":\n\t\t\t" + in.prefix + "DBrecordP->" + f.name;
        if (f.type.isNumeric()) {
            out += " = GetIntValue2(" + std::string(recordPointer) + " + l_Pos, (@I16@) l_Len);\n";
        } else {
            out += " = " + std::string(recordPointer) + " + l_Pos;\n";
        }
        out += "\t\t\tbreak;\n";
    }
    out += kWalkTail;
    return out;
}

std::string systemizeHead(const CSourceInput& in) {
    std::string out = rule("@RULE@static Boolean Systemize@P@(DmOpenRef @P@DB){\n");
    out += "\tunsigned char systemRecord[]={";
    for (std::size_t i = 0; i < in.fields.size(); ++i) {
        const DeclaredField& f = in.fields[i];
        if (i > 0) {
            out += ",";
        }
        out +=
            hexByte(f.type.type + 1u) + ", " + hexByte(static_cast<unsigned>(f.name.size()) + 1u);
        for (std::size_t k = 0; k < f.name.size(); ++k) {
            out += (k == 0 ? ", " : ",") + charLiteral(f.name[k]);
        }
    }
    out += in.fields.empty() ? "'\\0'" : ",'\\0'";
    out += "};\n";
    return out;
}

std::string compare(const CSourceInput& in, bool distinct) {
    std::string out = rule(kCompareHead);
    replaceAll(out, "@DISTINCT@", distinct ? "Distinct" : "");
    for (std::size_t id = 0; id < in.fields.size(); ++id) {
        const DeclaredField& f = in.fields[id];
        const std::string member = in.prefix + "DBrecord." + f.name;
        out += "\tcase " + std::to_string(id) + ":\n";
        if (f.type.isNumeric()) {
            out +=
                "\t\tif (*(@U32@ *) SearchedValueP == " + member + ") return cmpRecordMatches;\n";
            out += "\t\tif (*(@U32@ *) SearchedValueP < " + member +
                   ") return (cmpType) (cmpRecordFound | cmpRecordGreater);\n";
            out += "\t\treturn (cmpType) (cmpRecordFound | cmpRecordLess);\n";
        } else {
            out += "\t\tl_Value = " + member + ";\n\t\tbreak;\n";
        }
    }
    out += kCompareTail;
    if (distinct) {
        out += kDistinctCopy;
    }
    out += "\treturn l_Result;\n}\n\n";
    return out;
}

std::string update(const CSourceInput& in, const Dialect& d) {
    std::string out = rule(kUpdateHead);
    for (std::size_t id = 0; id < in.fields.size(); ++id) {
        const DeclaredField& f = in.fields[id];
        const std::string member = in.prefix + "DBrecordP->" + f.name;
        if (f.type.isNumeric()) {
            out +=
                "\tAddIntValue2(&l_Size, " + std::to_string(id) + ", " + member + ", l_pBuffer);\n";
        } else {
            out += "\tif (" + member + " != NULL) AddStrValue2(&l_Size, " + std::to_string(id) +
                   ", " + member + ", l_pBuffer);\n";
        }
    }
    out += d.modern ? kUpdateTailModern : kUpdateTailOld;
    return out;
}

std::string cFile(const CSourceInput& in, const Dialect& d) {
    std::string out = d.modern ? kPreambleModern : kPreambleOld;
    out += "#define _LOCAL_VAR\n";
    out += "#include \"" + in.headerFileName + "\"\n\n";
    out += rule(std::string("@RULE@") + kStaticRoutines);
    std::string get = rule(kGet);
    replaceAll(get, "@WALK@", walk(in, "l_pRec"));
    out += get;
    if (d.modern) {
        std::string encoded = rule(kGetEncoded);
        replaceAll(encoded, "@WALK@", walk(in, "l_pRecDecoded"));
        out += encoded;
    }
    out += update(in, d);
    out += systemizeHead(in) + kSystemizeTail;
    std::string open = rule(d.modern ? kOpenModern : kOpenOld);
    replaceAll(open, "@CREATOR@", fourCharConstant(in.creator));
    replaceAll(open, "@TYPE@", fourCharConstant(in.type));
    out += open;
    out += rule(kClose);
    out += compare(in, false);
    out += compare(in, true);
    return crlf(fill(out, d, in));
}

std::string hFile(const CSourceInput& in, const Dialect& d) {
    std::string out = "#include \"Builder.h\"\n\n";
    out += "// @P@DBstructType\n";
    out += "typedef struct @P@tagDBstructType\n{\n";
    out +=
        std::string(d.modern ? "MemHandle" : "VoidHand") + " _Handle; //Fernlow Reserved field\n";
    for (const DeclaredField& f : in.fields) {
        out += (f.type.isNumeric() ? std::string(d.modern ? "UInt32 " : "ULong ") : "char * ") +
               f.name + ";\n";
    }
    out += "} @P@DBstructType, *@P@DBstructPtr;\n\n";
    out += "#ifndef _LOCAL_VAR\n"
           "extern DmOpenRef @P@DB;\n"
           "extern @P@DBstructType @P@DBrecord;\n"
           "#else\n"
           "DmOpenRef @P@DB = NULL;\n"
           "@P@DBstructType @P@DBrecord;\n"
           "#endif\n\n";
    out += "//Fields enum list\ntypedef enum\n{\n";
    for (std::size_t id = 0; id < in.fields.size(); ++id) {
        out += "@P@_ft" + in.fields[id].name + " = " + std::to_string(id) + ",\n";
    }
    out += "@P@_ftNULL} //Not used\n@P@FieldType;\n\n";
    out += "Boolean Get@P@(DmOpenRef @P@DB, @REC@ recordNum, @P@DBstructPtr @P@DBrecordP);\n";
    out += "Boolean Update@P@(DmOpenRef @P@DB, @REC@ recordNum, @P@DBstructPtr @P@DBrecordP);\n";
    if (d.modern) {
        out += "Boolean Open@P@(DmOpenRef * @P@DB, char * PdbName, Boolean DoCreate);\n";
    } else {
        out += "Boolean Open@P@(DmOpenRef * @P@DB, char * theScriptFileName, Boolean DoCreate);\n";
        out += "Boolean Open2@P@(DmOpenRef * @P@DB, char * theScriptFileName, Boolean DoCreate, "
               "ULong theCreatorID, ULong theDatabaseTYPE);\n";
    }
    out += "void Close@P@(DmOpenRef * @P@DB, Boolean DoBackup);\n";
    if (d.modern) {
        out += "Boolean GetEncoded@P@(DmOpenRef @P@DB, @REC@ recordNum, @P@DBstructPtr "
               "@P@DBrecordP);\n";
    }
    out +=
        "cmpType Compare@P@(@SIZE@ RecordID, unsigned char SearchFieldID, @MP@ SearchedValueP);\n";
    out += "cmpType Compare@P@Distinct(@SIZE@ RecordID, unsigned char SearchFieldID, @MP@ "
           "SearchedValueP);\n";
    return crlf(fill(out, d, in));
}

} // namespace

CSource generateNewSource(const CSourceInput& input) {
    return {cFile(input, kModern), hFile(input, kModern)};
}

CSource generateOldSource(const CSourceInput& input) {
    return {cFile(input, kOld), hFile(input, kOld)};
}

} // namespace trellisk
