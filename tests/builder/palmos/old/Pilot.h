/* Stand-in for the early Palm OS SDK header, older type names: the types, constants and
   calls that generated database code uses, implemented in memory by DataMgrStandIn.c. */
#ifndef STANDIN_PILOT_H
#define STANDIN_PILOT_H

#include <stddef.h>

typedef unsigned char Byte;
typedef unsigned short Word;
typedef unsigned short UInt;
typedef unsigned int ULong;
typedef unsigned int DWord;
typedef short SWord;
typedef int SDWord;
typedef unsigned char Boolean;
typedef char* CharPtr;
typedef Word Err;
typedef ULong LocalID;
typedef struct StandInChunk* VoidHand;
typedef void* VoidPtr;
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

VoidHand MemHandleNew(ULong size);
VoidPtr MemHandleLock(VoidHand h);
Err MemHandleUnlock(VoidHand h);
ULong MemHandleSize(VoidHand h);
Err MemHandleFree(VoidHand h);
VoidPtr MemPtrNew(ULong size);
Err MemPtrFree(VoidPtr p);
Err MemSet(VoidPtr dstP, SDWord numBytes, Byte value);
Err MemMove(VoidPtr dstP, const void* sP, SDWord numBytes);

LocalID DmFindDatabase(UInt cardNo, CharPtr nameP);
DmOpenRef DmOpenDatabase(UInt cardNo, LocalID dbID, UInt mode);
DmOpenRef DmOpenDatabaseByTypeCreator(ULong type, ULong creator, UInt mode);
Err DmCreateDatabase(UInt cardNo, CharPtr nameP, ULong creator, ULong type, Boolean resDB);
Err DmCloseDatabase(DmOpenRef dbP);
UInt DmNumRecords(DmOpenRef dbP);
VoidHand DmQueryRecord(DmOpenRef dbP, UInt index);
VoidHand DmGetRecord(DmOpenRef dbP, UInt index);
VoidHand DmNewRecord(DmOpenRef dbP, UInt* atP, ULong size);
VoidHand DmResizeRecord(DmOpenRef dbP, UInt index, ULong newSize);
Err DmRemoveRecord(DmOpenRef dbP, UInt index);
Err DmReleaseRecord(DmOpenRef dbP, UInt index, Boolean dirty);
Err DmWrite(VoidPtr recordP, ULong offset, const void* srcP, ULong bytes);
Err DmOpenDatabaseInfo(DmOpenRef dbP, LocalID* dbIDP, UInt* openCountP, UInt* modeP, UInt* cardNoP,
                       Boolean* resDBP);
Err DmDatabaseInfo(UInt cardNo, LocalID dbID, CharPtr nameP, UInt* attributesP, UInt* versionP,
                   ULong* crDateP, ULong* modDateP, ULong* bckUpDateP, ULong* modNumP,
                   LocalID* appInfoIDP, LocalID* sortInfoIDP, ULong* typeP, ULong* creatorP);
Err DmSetDatabaseInfo(UInt cardNo, LocalID dbID, CharPtr nameP, UInt* attributesP, UInt* versionP,
                      ULong* crDateP, ULong* modDateP, ULong* bckUpDateP, ULong* modNumP,
                      LocalID* appInfoIDP, LocalID* sortInfoIDP, ULong* typeP, ULong* creatorP);

void StandInErrDisplay(const char* message);
#define ErrDisplay(msg) StandInErrDisplay(msg)

#endif
