/* Stand-in for the Palm OS SDK header, newer type names: just the types, constants and
   calls that generated database code uses, implemented in memory by DataMgrStandIn.c. */
#ifndef STANDIN_PALMOS_H
#define STANDIN_PALMOS_H

#include <stddef.h>

typedef unsigned char UInt8;
typedef unsigned short UInt16;
typedef unsigned int UInt32;
typedef short Int16;
typedef int Int32;
typedef char Char;
typedef unsigned char Boolean;
typedef UInt16 Err;
typedef UInt32 LocalID;
typedef struct StandInChunk* MemHandle;
typedef void* MemPtr;
typedef struct StandInDatabase* DmOpenRef;

#ifndef true
#define true 1
#define false 0
#endif

#define dmModeReadOnly 0x0001
#define dmModeWrite 0x0002
#define dmModeReadWrite 0x0003
#define dmMaxRecordIndex 0xFFFF
#define dmHdrAttrBackup 0x0008

MemHandle MemHandleNew(UInt32 size);
MemPtr MemHandleLock(MemHandle h);
Err MemHandleUnlock(MemHandle h);
UInt32 MemHandleSize(MemHandle h);
Err MemHandleFree(MemHandle h);
MemPtr MemPtrNew(UInt32 size);
Err MemPtrFree(MemPtr p);
UInt32 MemPtrSize(MemPtr p);
MemHandle MemPtrRecoverHandle(MemPtr p);
Err MemSet(void* dstP, Int32 numBytes, UInt8 value);
Err MemMove(void* dstP, const void* sP, Int32 numBytes);

UInt16 StrLen(const Char* src);
Char* StrCat(Char* dst, const Char* src);
Char* StrCopy(Char* dst, const Char* src);
Int16 StrCompare(const Char* s1, const Char* s2);
Char* StrToLower(Char* dst, const Char* src);
Char* StrStr(const Char* str, const Char* token);

LocalID DmFindDatabase(UInt16 cardNo, const Char* nameP);
DmOpenRef DmOpenDatabase(UInt16 cardNo, LocalID dbID, UInt16 mode);
DmOpenRef DmOpenDatabaseByTypeCreator(UInt32 type, UInt32 creator, UInt16 mode);
Err DmCreateDatabase(UInt16 cardNo, const Char* nameP, UInt32 creator, UInt32 type, Boolean resDB);
Err DmCloseDatabase(DmOpenRef dbP);
UInt16 DmNumRecords(DmOpenRef dbP);
MemHandle DmQueryRecord(DmOpenRef dbP, UInt16 index);
MemHandle DmGetRecord(DmOpenRef dbP, UInt16 index);
MemHandle DmNewRecord(DmOpenRef dbP, UInt16* atP, UInt32 size);
MemHandle DmResizeRecord(DmOpenRef dbP, UInt16 index, UInt32 newSize);
Err DmRemoveRecord(DmOpenRef dbP, UInt16 index);
Err DmReleaseRecord(DmOpenRef dbP, UInt16 index, Boolean dirty);
Err DmWrite(void* recordP, UInt32 offset, const void* srcP, UInt32 bytes);
Err DmOpenDatabaseInfo(DmOpenRef dbP, LocalID* dbIDP, UInt16* openCountP, UInt16* modeP,
                       UInt16* cardNoP, Boolean* resDBP);
Err DmDatabaseInfo(UInt16 cardNo, LocalID dbID, Char* nameP, UInt16* attributesP, UInt16* versionP,
                   UInt32* crDateP, UInt32* modDateP, UInt32* bckUpDateP, UInt32* modNumP,
                   LocalID* appInfoIDP, LocalID* sortInfoIDP, UInt32* typeP, UInt32* creatorP);
Err DmSetDatabaseInfo(UInt16 cardNo, LocalID dbID, const Char* nameP, UInt16* attributesP,
                      UInt16* versionP, UInt32* crDateP, UInt32* modDateP, UInt32* bckUpDateP,
                      UInt32* modNumP, LocalID* appInfoIDP, LocalID* sortInfoIDP, UInt32* typeP,
                      UInt32* creatorP);

void StandInErrDisplay(const char* message);
#define ErrDisplay(msg) StandInErrDisplay(msg)

#endif
