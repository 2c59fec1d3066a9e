/* Stand-in for the support library header that generated headers include, early SDK. */
#ifndef STANDIN_BUILDER_H
#define STANDIN_BUILDER_H

#include <Pilot.h>

typedef enum {
    cmpRecordNotFound = 0x00,
    cmpRecordFound = 0x01,
    cmpRecordMatches = 0x02,
    cmpRecordContain = 0x03,
    cmpRecordGreater = 0x10,
    cmpRecordLess = 0x20
} cmpType;

void UnLockLastRecord(void* aRecordP);

#endif
