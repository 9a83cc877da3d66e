#include "cli/cli.h"

void addOfflineCommands(CliRegistry& r) { (void)r; }
