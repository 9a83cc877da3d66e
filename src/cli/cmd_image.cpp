#include "cli/cli.h"

void addImageCommands(CliRegistry& r) { (void)r; }
