// The backup offered when the main window closes, answered "Non": for the tests that
// close the window for other reasons (TForm1::setBackupOffer).
#pragma once

#include "register/Backup.h"

struct DeclinedBackup : ledgora::BackupOfferForm {
    ledgora::BackupOfferReply offerBackup() override {
        ++offers;
        return {};
    }
    int offers = 0;
};
