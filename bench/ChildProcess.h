#pragma once
#include <string>
#include <vector>

// Running another program to its end, for benchmarks that time commands.
struct ChildTimes {
    double Wall = -1;  // seconds from start to exit; negative when it could not run or failed
    double Cpu = -1;   // user + system seconds of the child
};

ChildTimes RunChild(std::vector<std::string> argv);
