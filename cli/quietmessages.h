#pragma once

// Qt warns on standard error when the per-user runtime folder (XDG_RUNTIME_DIR) is not set or
// not the user's own, as it is under cron, over ssh or as root. The commands never use that
// folder, and their standard error is for their own messages: this drops those warnings and
// passes every other message on.
void dropRuntimeDirectoryWarnings();
