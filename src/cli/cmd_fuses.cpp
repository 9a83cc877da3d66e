#include "cli/cli.h"

void addFuseCommands(CliRegistry& r) { (void)r; }
