/* An in-memory Data Manager and Memory Manager, enough to run generated database code on
   the desktop: chunks with lock counts, databases of record chunks, .pdb load and save.
   Misuse (writing past a record, freeing twice) aborts, so tests see it. */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "PalmOS.h"
#include "PalmOsTools.h"
#include "StandIn.h"

struct StandInChunk {
    UInt32 size;
    UInt16 locks;
    unsigned char* data;
    struct StandInChunk* next;
};

struct StandInDatabase {
    char name[32];
    UInt16 attributes;
    UInt32 type;
    UInt32 creator;
    unsigned char* appInfo;
    UInt32 appInfoSize;
    UInt16 count;
    UInt16 capacity;
    MemHandle* records;
    unsigned char* busy;
    LocalID id;
    int open;
};

static struct StandInChunk* chunks = NULL;
static struct StandInDatabase* databases[64];
static int databaseCount = 0;
static int failNextResize = 0;
static int errorCount = 0;
static char lastError[256];

static void fail(const char* what) {
    fprintf(stderr, "Data Manager stand-in: %s\n", what);
    abort();
}

/* ---- Memory Manager ---- */

MemHandle MemHandleNew(UInt32 size) {
    struct StandInChunk* c = calloc(1, sizeof *c);
    if (c == NULL)
        return NULL;
    c->data = calloc(1, size ? size : 1);
    if (c->data == NULL) {
        free(c);
        return NULL;
    }
    c->size = size;
    c->next = chunks;
    chunks = c;
    return c;
}

MemPtr MemHandleLock(MemHandle h) {
    if (h == NULL)
        fail("MemHandleLock(NULL)");
    h->locks++;
    return h->data;
}

Err MemHandleUnlock(MemHandle h) {
    if (h == NULL || h->locks == 0)
        fail("MemHandleUnlock of an unlocked chunk");
    h->locks--;
    return 0;
}

UInt32 MemHandleSize(MemHandle h) {
    return h != NULL ? h->size : 0;
}

Err MemHandleFree(MemHandle h) {
    struct StandInChunk** p = &chunks;
    while (*p != NULL && *p != h)
        p = &(*p)->next;
    if (*p == NULL)
        fail("MemHandleFree of an unknown chunk");
    *p = h->next;
    free(h->data);
    free(h);
    return 0;
}

MemHandle MemPtrRecoverHandle(MemPtr p) {
    struct StandInChunk* c;
    for (c = chunks; c != NULL; c = c->next)
        if (c->data == p)
            return c;
    return NULL;
}

MemPtr MemPtrNew(UInt32 size) {
    MemHandle h = MemHandleNew(size);
    return h != NULL ? MemHandleLock(h) : NULL;
}

Err MemPtrFree(MemPtr p) {
    MemHandle h = MemPtrRecoverHandle(p);
    if (h == NULL)
        fail("MemPtrFree of an unknown pointer");
    return MemHandleFree(h);
}

UInt32 MemPtrSize(MemPtr p) {
    MemHandle h = MemPtrRecoverHandle(p);
    return h != NULL ? h->size : 0;
}

Err MemSet(void* dstP, Int32 numBytes, UInt8 value) {
    memset(dstP, value, (size_t)numBytes);
    return 0;
}

Err MemMove(void* dstP, const void* sP, Int32 numBytes) {
    memmove(dstP, sP, (size_t)numBytes);
    return 0;
}

/* ---- Strings ---- */

UInt16 StrLen(const Char* src) {
    return (UInt16)strlen(src);
}
Char* StrCat(Char* dst, const Char* src) {
    return strcat(dst, src);
}
Char* StrCopy(Char* dst, const Char* src) {
    return strcpy(dst, src);
}

Int16 StrCompare(const Char* s1, const Char* s2) {
    int r = strcmp(s1, s2);
    return (Int16)(r < 0 ? -1 : r > 0 ? 1 : 0);
}

Char* StrToLower(Char* dst, const Char* src) {
    Char* d = dst;
    for (; *src; ++src, ++d)
        *d = (Char)((*src >= 'A' && *src <= 'Z') ? *src + 32 : *src);
    *d = 0;
    return dst;
}

Char* StrStr(const Char* str, const Char* token) {
    return strstr(str, token);
}

/* ---- Data Manager ---- */

static struct StandInDatabase* byId(LocalID id) {
    return id >= 1 && (int)id <= databaseCount ? databases[id - 1] : NULL;
}

static struct StandInDatabase* newDatabase(const char* name, UInt32 type, UInt32 creator) {
    struct StandInDatabase* db;
    if (databaseCount >= 64)
        return NULL;
    db = calloc(1, sizeof *db);
    strncpy(db->name, name, sizeof db->name - 1);
    db->type = type;
    db->creator = creator;
    db->id = (LocalID)(databaseCount + 1);
    databases[databaseCount++] = db;
    return db;
}

static void insertRecord(struct StandInDatabase* db, UInt16 at, MemHandle h) {
    if (db->count == db->capacity) {
        db->capacity = (UInt16)(db->capacity ? db->capacity * 2 : 16);
        db->records = realloc(db->records, db->capacity * sizeof *db->records);
        db->busy = realloc(db->busy, db->capacity);
    }
    memmove(db->records + at + 1, db->records + at, (size_t)(db->count - at) * sizeof *db->records);
    memmove(db->busy + at + 1, db->busy + at, (size_t)(db->count - at));
    db->records[at] = h;
    db->busy[at] = 0;
    db->count++;
}

LocalID DmFindDatabase(UInt16 cardNo, const Char* nameP) {
    int i;
    (void)cardNo;
    for (i = 0; i < databaseCount; ++i)
        if (strcmp(databases[i]->name, nameP) == 0)
            return databases[i]->id;
    return 0;
}

DmOpenRef DmOpenDatabase(UInt16 cardNo, LocalID dbID, UInt16 mode) {
    struct StandInDatabase* db = byId(dbID);
    (void)cardNo;
    (void)mode;
    if (db != NULL)
        db->open++;
    return db;
}

DmOpenRef DmOpenDatabaseByTypeCreator(UInt32 type, UInt32 creator, UInt16 mode) {
    int i;
    for (i = 0; i < databaseCount; ++i)
        if (databases[i]->type == type && databases[i]->creator == creator)
            return DmOpenDatabase(0, databases[i]->id, mode);
    return NULL;
}

Err DmCreateDatabase(UInt16 cardNo, const Char* nameP, UInt32 creator, UInt32 type, Boolean resDB) {
    (void)cardNo;
    (void)resDB;
    if (DmFindDatabase(0, nameP) != 0)
        return 0x0219; /* dmErrAlreadyExists */
    return newDatabase(nameP, type, creator) != NULL ? 0 : 0x0202;
}

Err DmCloseDatabase(DmOpenRef dbP) {
    if (dbP == NULL || dbP->open == 0)
        fail("DmCloseDatabase of a closed database");
    dbP->open--;
    return 0;
}

UInt16 DmNumRecords(DmOpenRef dbP) {
    return dbP->count;
}

MemHandle DmQueryRecord(DmOpenRef dbP, UInt16 index) {
    return index < dbP->count ? dbP->records[index] : NULL;
}

MemHandle DmGetRecord(DmOpenRef dbP, UInt16 index) {
    if (index >= dbP->count)
        return NULL;
    if (dbP->busy[index])
        fail("DmGetRecord of a busy record");
    dbP->busy[index] = 1;
    return dbP->records[index];
}

MemHandle DmNewRecord(DmOpenRef dbP, UInt16* atP, UInt32 size) {
    UInt16 at = *atP > dbP->count ? dbP->count : *atP;
    MemHandle h = MemHandleNew(size);
    if (h == NULL)
        return NULL;
    insertRecord(dbP, at, h);
    dbP->busy[at] = 1;
    *atP = at;
    return h;
}

MemHandle DmResizeRecord(DmOpenRef dbP, UInt16 index, UInt32 newSize) {
    MemHandle h;
    unsigned char* data;
    if (index >= dbP->count)
        return NULL;
    h = dbP->records[index];
    if (failNextResize) {
        failNextResize = 0;
        return NULL;
    }
    /* A locked chunk cannot move, so it cannot grow. */
    if (h->locks > 0 && newSize > h->size)
        return NULL;
    data = realloc(h->data, newSize ? newSize : 1);
    if (data == NULL)
        return NULL;
    if (newSize > h->size)
        memset(data + h->size, 0, newSize - h->size);
    h->data = data;
    h->size = newSize;
    return h;
}

Err DmRemoveRecord(DmOpenRef dbP, UInt16 index) {
    if (index >= dbP->count)
        return 0x0205; /* dmErrIndexOutOfRange */
    MemHandleFree(dbP->records[index]);
    memmove(dbP->records + index, dbP->records + index + 1,
            (size_t)(dbP->count - index - 1) * sizeof *dbP->records);
    memmove(dbP->busy + index, dbP->busy + index + 1, (size_t)(dbP->count - index - 1));
    dbP->count--;
    return 0;
}

Err DmReleaseRecord(DmOpenRef dbP, UInt16 index, Boolean dirty) {
    (void)dirty;
    if (index >= dbP->count || !dbP->busy[index])
        fail("DmReleaseRecord of a record not busy");
    dbP->busy[index] = 0;
    return 0;
}

Err DmWrite(void* recordP, UInt32 offset, const void* srcP, UInt32 bytes) {
    MemHandle h = MemPtrRecoverHandle(recordP);
    if (h == NULL)
        fail("DmWrite to something that is not a record");
    if (offset > h->size || bytes > h->size - offset)
        fail("DmWrite past the end of a record");
    memcpy(h->data + offset, srcP, bytes);
    return 0;
}

Err DmOpenDatabaseInfo(DmOpenRef dbP, LocalID* dbIDP, UInt16* openCountP, UInt16* modeP,
                       UInt16* cardNoP, Boolean* resDBP) {
    if (dbIDP)
        *dbIDP = dbP->id;
    if (openCountP)
        *openCountP = (UInt16)dbP->open;
    if (modeP)
        *modeP = dmModeReadWrite;
    if (cardNoP)
        *cardNoP = 0;
    if (resDBP)
        *resDBP = false;
    return 0;
}

Err DmDatabaseInfo(UInt16 cardNo, LocalID dbID, Char* nameP, UInt16* attributesP, UInt16* versionP,
                   UInt32* crDateP, UInt32* modDateP, UInt32* bckUpDateP, UInt32* modNumP,
                   LocalID* appInfoIDP, LocalID* sortInfoIDP, UInt32* typeP, UInt32* creatorP) {
    struct StandInDatabase* db = byId(dbID);
    (void)cardNo;
    if (db == NULL)
        return 0x0207; /* dmErrCantFind */
    if (nameP)
        strcpy(nameP, db->name);
    if (attributesP)
        *attributesP = db->attributes;
    if (versionP)
        *versionP = 0;
    if (crDateP)
        *crDateP = 0;
    if (modDateP)
        *modDateP = 0;
    if (bckUpDateP)
        *bckUpDateP = 0;
    if (modNumP)
        *modNumP = 0;
    if (appInfoIDP)
        *appInfoIDP = 0;
    if (sortInfoIDP)
        *sortInfoIDP = 0;
    if (typeP)
        *typeP = db->type;
    if (creatorP)
        *creatorP = db->creator;
    return 0;
}

Err DmSetDatabaseInfo(UInt16 cardNo, LocalID dbID, const Char* nameP, UInt16* attributesP,
                      UInt16* versionP, UInt32* crDateP, UInt32* modDateP, UInt32* bckUpDateP,
                      UInt32* modNumP, LocalID* appInfoIDP, LocalID* sortInfoIDP, UInt32* typeP,
                      UInt32* creatorP) {
    struct StandInDatabase* db = byId(dbID);
    (void)cardNo;
    (void)versionP;
    (void)crDateP;
    (void)modDateP;
    (void)bckUpDateP;
    (void)modNumP;
    (void)appInfoIDP;
    (void)sortInfoIDP;
    if (db == NULL)
        return 0x0207;
    if (nameP)
        strncpy(db->name, nameP, sizeof db->name - 1);
    if (attributesP)
        db->attributes = *attributesP;
    if (typeP)
        db->type = *typeP;
    if (creatorP)
        db->creator = *creatorP;
    return 0;
}

void StandInErrDisplay(const char* message) {
    errorCount++;
    strncpy(lastError, message, sizeof lastError - 1);
}

/* ---- Support library ---- */

void UnLockLastRecord(void* aRecordP) {
    MemHandle* h = (MemHandle*)aRecordP;
    if (*h != NULL) {
        MemHandleUnlock(*h);
        *h = NULL;
    }
}

void UnLockLastEncodedRecord(void* aRecordP) {
    MemHandle* h = (MemHandle*)aRecordP;
    if (*h != NULL) {
        MemHandleUnlock(*h);
        MemHandleFree(*h);
        *h = NULL;
    }
}

Boolean Decode(char* aRecord) {
    UInt32 size = MemPtrSize(aRecord);
    UInt32 n, i;
    unsigned char key;
    if (size < 3)
        return false;
    n = size - 3; /* key, n encoded bytes, the record's NUL, the extra byte */
    key = (unsigned char)aRecord[0];
    for (i = 0; i < n; ++i)
        aRecord[i] = (char)((unsigned char)aRecord[i + 1] - key);
    aRecord[n] = 0;
    aRecord[n + 1] = 0;
    return true;
}

/* ---- Files ---- */

static UInt32 be(const unsigned char* p, int n) {
    UInt32 v = 0;
    int i;
    for (i = 0; i < n; ++i)
        v = v << 8 | p[i];
    return v;
}

static void putBe(unsigned char* p, UInt32 v, int n) {
    int i;
    for (i = n - 1; i >= 0; --i, v >>= 8)
        p[i] = (unsigned char)(v & 0xFF);
}

struct StandInDatabase* StandInLoadPdb(const char* path) {
    FILE* f = fopen(path, "rb");
    unsigned char* bytes;
    long size;
    UInt16 count, i;
    UInt32 appInfo;
    char name[33];
    struct StandInDatabase* db;
    if (f == NULL)
        return NULL;
    fseek(f, 0, SEEK_END);
    size = ftell(f);
    fseek(f, 0, SEEK_SET);
    bytes = malloc((size_t)size);
    if (fread(bytes, 1, (size_t)size, f) != (size_t)size || size < 78) {
        fclose(f);
        free(bytes);
        return NULL;
    }
    fclose(f);
    memcpy(name, bytes, 32);
    name[32] = 0;
    db = newDatabase(name, be(bytes + 60, 4), be(bytes + 64, 4));
    db->attributes = (UInt16)be(bytes + 32, 2);
    count = (UInt16)be(bytes + 76, 2);
    appInfo = be(bytes + 52, 4);
    for (i = 0; i < count; ++i) {
        UInt32 offset = be(bytes + 78 + 8 * i, 4);
        UInt32 end = i + 1 < count ? be(bytes + 78 + 8 * (i + 1), 4) : (UInt32)size;
        MemHandle h = MemHandleNew(end - offset);
        memcpy(h->data, bytes + offset, end - offset);
        insertRecord(db, i, h);
        if (appInfo != 0 && i == 0) {
            db->appInfoSize = offset - appInfo;
            db->appInfo = malloc(db->appInfoSize);
            memcpy(db->appInfo, bytes + appInfo, db->appInfoSize);
        }
    }
    free(bytes);
    return db;
}

int StandInSavePdb(struct StandInDatabase* db, const char* path) {
    unsigned char header[78];
    unsigned char entry[8];
    UInt32 offset;
    UInt16 i;
    FILE* f = fopen(path, "wb");
    if (f == NULL)
        return 1;
    memset(header, 0, sizeof header);
    memcpy(header, db->name, strlen(db->name));
    putBe(header + 32, db->attributes, 2);
    putBe(header + 60, db->type, 4);
    putBe(header + 64, db->creator, 4);
    putBe(header + 76, db->count, 2);
    offset = 78 + 8u * db->count + 2;
    if (db->appInfo != NULL) {
        putBe(header + 52, offset, 4);
        offset += db->appInfoSize;
    }
    fwrite(header, 1, sizeof header, f);
    for (i = 0; i < db->count; ++i) {
        putBe(entry, offset, 4);
        entry[4] = 0x40;
        putBe(entry + 5, i, 3);
        fwrite(entry, 1, sizeof entry, f);
        offset += db->records[i]->size;
    }
    fwrite("\0\0", 1, 2, f);
    if (db->appInfo != NULL)
        fwrite(db->appInfo, 1, db->appInfoSize, f);
    for (i = 0; i < db->count; ++i)
        fwrite(db->records[i]->data, 1, db->records[i]->size, f);
    return fclose(f) != 0;
}

void StandInFailNextResize(void) {
    failNextResize = 1;
}
int StandInErrorCount(void) {
    return errorCount;
}
const char* StandInLastError(void) {
    return lastError;
}

int StandInLiveChunks(void) {
    int n = 0;
    struct StandInChunk* c;
    for (c = chunks; c != NULL; c = c->next)
        n++;
    return n;
}

int StandInLockedRecords(struct StandInDatabase* db) {
    int n = 0;
    UInt16 i;
    for (i = 0; i < db->count; ++i)
        if (db->records[i]->locks > 0 || db->busy[i])
            n++;
    return n;
}

unsigned StandInAttributes(struct StandInDatabase* db) {
    return db->attributes;
}
