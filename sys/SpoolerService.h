// Stopping and starting the print spooler service.
#pragma once

// True once the spooler runs (started now or already running) and has left
// the start-pending state.
bool StartSpooler();
// True once the spooler has left the stop-pending state after an accepted
// stop, or when it was not running at all.
bool StopSpooler();

// Bounds of the waits: a real spooler changes state within seconds.
const int kServiceOpenAttempts = 20;       // tries to open the service
const unsigned kServiceOpenPauseMs = 250;  // between two tries
const unsigned kPendingWaitMs = 30000;     // longest wait for a pending state to end
