#pragma once
// The saver's side of Evolve: a child of two stored presets in place of a
// stored preset, remembered so that it can be kept or made again.

#include <cstdint>

#include "presets/param_sink.h"

namespace corvane {

// With Evolve on and two stored presets or more: breeds a child of two of
// them chosen at random, sends it and remembers it (a parent is sent when no
// child passes its checks, and is not remembered). False, and nothing sent,
// otherwise.
bool ShowEvolvedChild(ParamSink& drawer);
// A seed for a new child, from the process's generator.
uint64_t NewBreedSeed();

}  // namespace corvane
