#pragma once
namespace corvane {

// Once at program start on a machine with more than one processor: a
// short-lived thread that only counts down, so that an idle second core is
// awake before the first frames are drawn. It frees itself when done.
void StartSpinThread();

}  // namespace corvane
