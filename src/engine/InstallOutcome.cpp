#include "engine/InstallOutcome.h"

#include "support/base/Format.h"

EInstallerDamaged::EInstallerDamaged(const std::string& itemName, const std::string& readerMessage)
    : std::runtime_error(
          Format("The installer is damaged (%s: %s). Please obtain a new copy of it.", itemName, readerMessage)) {}
