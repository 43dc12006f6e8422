#pragma once

// Makes the run-time context, loads MainWindow, runs the message loop; returns 0.
int StartProgram();
