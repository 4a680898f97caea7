// Reading and writing documents for tessel-cli commands, with their one-line messages.
#pragma once

#include "cli/CliCommand.h"

#include <string>
#include <string_view>

class CTesselDoc;

// Saves the document; on failure writes "tessel-cli COMMAND: <reason>" to context.err.
// Returns the command's exit code.
int SaveForCli(CliContext& context, std::string_view command, CTesselDoc& doc,
               const std::string& path);
// Opens the document and gives it the margin of the command's settings; on failure reports as
// SaveForCli does and returns false.
bool OpenForCli(CliContext& context, std::string_view command, CTesselDoc& doc,
                const std::string& path);
