#include "app/AppServices.h"

AppServices::AppServices(platform::Paths paths, const platform::Clock& clock,
                         platform::Dialogs& dialogs, ledgora::AccountForms& forms)
    : paths_(std::move(paths)), registry_(paths_.registryFolder()),
      workspace_(registry_, paths_, clock, dialogs, forms, sounds_) {
    workspace_.start();
    workspace_.createBuilder();
}
