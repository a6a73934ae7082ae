#pragma once
// Placeholder until the project store is written.
