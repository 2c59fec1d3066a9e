/* What the test drivers need of the in-memory Data Manager beyond the Palm OS calls:
   moving databases between .pdb files and memory, and a look at reported errors. */
#ifndef STANDIN_H
#define STANDIN_H

struct StandInDatabase;

/* Adds a database read from a .pdb file (records sized offset to offset, so each keeps
   the NUL that follows it in the file); NULL when the file cannot be read. */
struct StandInDatabase* StandInLoadPdb(const char* path);
/* Writes a database as a .pdb file; 0 on success. */
int StandInSavePdb(struct StandInDatabase* db, const char* path);
/* The next DmResizeRecord fails, as when the heap has no room. */
void StandInFailNextResize(void);
int StandInErrorCount(void);
const char* StandInLastError(void);
/* Chunks still allocated and records still locked or busy. */
int StandInLiveChunks(void);
int StandInLockedRecords(struct StandInDatabase* db);
unsigned StandInAttributes(struct StandInDatabase* db);

#endif
