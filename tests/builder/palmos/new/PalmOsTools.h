/* Stand-in for the handheld support library that generated database code calls. */
#ifndef STANDIN_PALMOSTOOLS_H
#define STANDIN_PALMOSTOOLS_H

#include <PalmOS.h>

/* The kind of match in the low four bits, the order in the high ones. */
typedef enum {
    cmpRecordNotFound = 0x00,
    cmpRecordFound = 0x01,
    cmpRecordMatches = 0x02,
    cmpRecordContain = 0x03,
    cmpRecordGreater = 0x10,
    cmpRecordLess = 0x20
} cmpType;

/* Unlock the record whose handle a record structure keeps in its first member, _Handle;
   the encoded variant also frees it (it is a decoded copy). */
void UnLockLastRecord(void* aRecordP);
void UnLockLastEncodedRecord(void* aRecordP);
/* Decodes, in place, a locked copy of an encoded record made one byte larger than the
   record (key, encoded entries, NUL): the plain entries move to the start. */
Boolean Decode(char* aRecord);

#endif
