// Control ids every dialog template shares, for the templates and the presenters alike.
#pragma once

// The framework's standard help command; no dialog handles it.
#define ID_HELP_COMMAND 57671
