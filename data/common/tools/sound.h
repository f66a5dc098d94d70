// Sound data made by code: the waveform PROM, the three recorded samples and
// the note tables of the sound program.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// 8 waveforms x 32 samples, one 4-bit value per byte.
std::vector<uint8_t> MakeWaveProm();

// Recorded sample 0, 1 or 2: signed 16-bit little-endian mono at 11,025 Hz,
// 20,850, 38,710 or 11,400 bytes, every value within -4095..4095.
std::vector<uint8_t> MakeSample(int which);

// Assembler include with the playback values of 60 notes (C2 to B6) for the
// 20-bit voice 0 and the 16-bit voices 1 and 2, and an EQU per note name.
void WriteNoteTables(const std::string& path);
