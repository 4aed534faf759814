// A pseudo-terminal: the master end for the simulated writer and its own
// descriptor of the slave end, kept open for the pair's whole life so that
// the program may close and reopen the slave at will without the line
// hanging up.
#pragma once

#include <string>

class PtyPair {
public:
    PtyPair();   // opens the pair; Ok() tells whether that worked
    ~PtyPair();
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    bool Ok() const { return master_ >= 0 && slave_ >= 0; }
    int Master() const { return master_; }
    int Slave() const { return slave_; }
    const std::string& SlavePath() const { return slavePath_; }
    const std::string& Error() const { return error_; }

private:
    int master_ = -1;
    int slave_ = -1;
    std::string slavePath_;
    std::string error_;
};
