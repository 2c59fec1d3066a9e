// The monthly planning as a part of the open account: its grid, read from and written to
// the account's ".pla" file, converted with the account. A planning file that could not
// be read is never written over, so that what it held is not lost to an empty grid.
#pragma once

#include "planning/PlanningColumns.h"
#include "platform/Dialogs.h"
#include "platform/Paths.h"
#include "register/AccountPart.h"
#include "register/Grid.h"

namespace ledgora {

// A fresh planning: the caption row and one blank row.
Grid makePlanningGrid();

class PlanningPart : public AccountPart {
public:
    // Both borrowed; `dialogs` tells a planning file that cannot be read.
    PlanningPart(const platform::Paths& paths, platform::Dialogs& dialogs);

    Grid& grid() { return grid_; }
    const Grid& grid() const { return grid_; }
    // False after the planning file could not be read: the save then leaves it alone.
    bool writable() const { return writable_; }

    void created(const AccountRef& account) override;
    // Reads the ".pla" file when there is one: blank rows dropped, one blank row appended.
    void loaded(const AccountRef& account) override;
    void saving(const AccountRef& account, PartSave& save) override;
    // The amounts with their remainders, as the register's.
    void converted(const AccountRef& account, bool toEuros) override;
    void closed() override;
    // Deletes the account's ".pla" file.
    void removed(const AccountRef& account) override;

private:
    void reset();

    const platform::Paths& paths_;
    platform::Dialogs& dialogs_;
    Grid grid_;
    bool writable_ = true;
};

} // namespace ledgora
