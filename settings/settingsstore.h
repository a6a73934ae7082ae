#pragma once
// Placeholder until the settings store is written.
