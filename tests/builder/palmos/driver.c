/* Runs the generated code of the "Contacts" layout (nom: string, montant: numeric,
   note: string, compte: numeric) on the in-memory Data Manager and prints what it reads,
   for the test to compare with what the builder wrote. Built with -DOLD_DIALECT for the
   older generator's code.

     driver read PLAIN.pdb [ENCODED.pdb]
     driver update PLAIN.pdb OUT.pdb
     driver create OUT.pdb                                                              */
#include <stdio.h>
#include <string.h>

#include "Contacts.h"
#include "StandIn.h"

#ifdef OLD_DIALECT
typedef ULong Number;
#else
typedef UInt32 Number;
#endif

static void printText(const char* label, const char* text) {
    printf(" %s=", label);
    if (text == NULL) {
        printf("-");
        return;
    }
    while (*text)
        printf("%02x", (unsigned char)*text++);
}

static void printRecord(const char* tag, unsigned i, ContactsDBstructPtr r) {
    printf("%s %u", tag, i);
    printText("nom", r->nom);
    printf(" montant=%lu", (unsigned long)r->montant);
    printText("note", r->note);
    printf(" compte=%lu\n", (unsigned long)r->compte);
}

static int readAll(const char* plain, const char* encoded) {
    unsigned i, n;
    Number value;
    char text[64];
    struct StandInDatabase* plainDb = StandInLoadPdb(plain);
    if (plainDb == NULL)
        return 2;
    if (!OpenContacts(&ContactsDB, "Contacts", false))
        return 3;
    n = DmNumRecords(ContactsDB);
    printf("COUNT %u\n", n);
    printf("GET0 %d\n", (int)GetContacts(ContactsDB, 0, &ContactsDBrecord));
    printf("GETN %d\n", (int)GetContacts(ContactsDB, n, &ContactsDBrecord));
    for (i = 1; i < n; ++i) {
        if (!GetContacts(ContactsDB, i, &ContactsDBrecord))
            return 4;
        printRecord("R", i, &ContactsDBrecord);
    }
    /* Searches on record 1. */
    GetContacts(ContactsDB, 1, &ContactsDBrecord);
    value = ContactsDBrecord.montant;
    printf("CMPNUM %x", (unsigned)CompareContacts(1, Contacts_ftmontant, &value));
    value = ContactsDBrecord.montant - 1;
    printf(" %x", (unsigned)CompareContacts(1, Contacts_ftmontant, &value));
    value = ContactsDBrecord.montant + 1;
    printf(" %x\n", (unsigned)CompareContacts(1, Contacts_ftmontant, &value));
    GetContacts(ContactsDB, 1, &ContactsDBrecord);
    strcpy(text, ContactsDBrecord.nom);
    printf("CMPSTR %x", (unsigned)CompareContacts(1, Contacts_ftnom, text));
    strcpy(text, "UPON");
    printf(" %x", (unsigned)CompareContacts(1, Contacts_ftnom, text));
    strcpy(text, "A");
    printf(" %x", (unsigned)CompareContacts(1, Contacts_ftnom, text));
    strcpy(text, "zz");
    printf(" %x\n", (unsigned)CompareContacts(1, Contacts_ftnom, text));
    strcpy(text, "A");
    printf("DISTINCT %x", (unsigned)CompareContactsDistinct(1, Contacts_ftnom, text));
    printText("value", text);
    printf("\n");
    CloseContacts(&ContactsDB, false);
#ifndef OLD_DIALECT
    if (encoded != NULL) {
        ContactsDBstructType record;
        struct StandInDatabase* db = StandInLoadPdb(encoded);
        LocalID id;
        if (db == NULL)
            return 5;
        DmOpenDatabaseInfo(db, &id, NULL, NULL, NULL, NULL);
        db = DmOpenDatabase(0, id, dmModeReadWrite);
        memset(&record, 0, sizeof record);
        n = DmNumRecords(db);
        printf("EGET0 %d\n", (int)GetEncodedContacts(db, 0, &record));
        for (i = 1; i < n; ++i) {
            if (!GetEncodedContacts(db, i, &record))
                return 6;
            printRecord("E", i, &record);
        }
        UnLockLastEncodedRecord(&record);
        DmCloseDatabase(db);
    }
#else
    (void)encoded;
#endif
    printf("LOCKED %d\n", StandInLockedRecords(plainDb));
    return 0;
}

static int update(const char* plain, const char* out) {
    struct StandInDatabase* db = StandInLoadPdb(plain);
    char longer[64];
    if (db == NULL)
        return 2;
    if (!OpenContacts(&ContactsDB, "Contacts", false))
        return 3;
    /* Record 1 grows. */
    GetContacts(ContactsDB, 1, &ContactsDBrecord);
    strcpy(longer, ContactsDBrecord.nom);
    strcat(longer, " modifié");
    ContactsDBrecord.nom = longer;
    ContactsDBrecord.montant = 424242;
    printf("UPDATE1 %d\n", (int)UpdateContacts(ContactsDB, 1, &ContactsDBrecord));
    /* Record 2 keeps its size. */
    GetContacts(ContactsDB, 2, &ContactsDBrecord);
    ContactsDBrecord.compte = ContactsDBrecord.compte;
    printf("UPDATE2 %d\n", (int)UpdateContacts(ContactsDB, 2, &ContactsDBrecord));
    /* A new record, without a note. */
    ContactsDBrecord.nom = "Nouveau";
    ContactsDBrecord.montant = 50625;
    ContactsDBrecord.note = NULL;
    ContactsDBrecord.compte = 225;
    printf("APPEND %d\n", (int)UpdateContacts(ContactsDB, 0, &ContactsDBrecord));
#ifndef OLD_DIALECT
    /* Record 3 cannot be resized in place: it moves to the end. */
    GetContacts(ContactsDB, 3, &ContactsDBrecord);
    ContactsDBrecord.montant = 7;
    StandInFailNextResize();
    printf("MOVED %d\n", (int)UpdateContacts(ContactsDB, 3, &ContactsDBrecord));
#endif
    printf("ERRORS %d %s\n", StandInErrorCount(), StandInLastError());
    CloseContacts(&ContactsDB, true);
    printf("BACKUP %u\n", StandInAttributes(db) & dmHdrAttrBackup ? 1u : 0u);
    printf("LOCKED %d\n", StandInLockedRecords(db));
    return StandInSavePdb(db, out);
}

static int create(const char* out) {
    struct StandInDatabase* db;
    LocalID id;
    ContactsDBstructType record;
    if (!OpenContacts(&ContactsDB, "Fresh", true))
        return 3;
    memset(&record, 0, sizeof record);
    record.nom = "Premier";
    record.montant = 1;
    record.note = "première note";
    record.compte = 3375;
    UpdateContacts(ContactsDB, 0, &record);
    record.nom = "Second";
    record.montant = 4294967295u;
    record.note = NULL;
    record.compte = 0;
    UpdateContacts(ContactsDB, 0, &record);
    DmOpenDatabaseInfo(ContactsDB, &id, NULL, NULL, NULL, NULL);
    db = ContactsDB;
    CloseContacts(&ContactsDB, false);
    (void)id;
    return StandInSavePdb(db, out);
}

int main(int argc, char** argv) {
    if (argc >= 3 && strcmp(argv[1], "read") == 0)
        return readAll(argv[2], argc > 3 ? argv[3] : NULL);
    if (argc == 4 && strcmp(argv[1], "update") == 0)
        return update(argv[2], argv[3]);
    if (argc == 3 && strcmp(argv[1], "create") == 0)
        return create(argv[2]);
    fprintf(stderr, "usage: driver read|update|create ...\n");
    return 1;
}
