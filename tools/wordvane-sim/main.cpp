// wordvane-sim [--state] DIR SCRIPT
//
// Runs Wordvane's real core on the fake desktop over the program folder DIR
// and replays SCRIPT, one step a line; after each step prints what the user
// would see. The format is in the README.

#include <fstream>
#include <iostream>
#include <optional>
#include <string>

#include "wordvane-sim/simulation.h"

using namespace wordvane;
using wordvane::sim::ScriptError;
using wordvane::sim::Simulation;

int main(int argc, char** argv) {
    const bool printState = argc == 4 && std::string(argv[1]) == "--state";
    if (argc != 3 && !printState) {
        std::cerr << "usage: wordvane-sim [--state] DIR SCRIPT\n";
        return 2;
    }
    const char* folder = argv[argc - 2];
    const char* scriptPath = argv[argc - 1];
    std::ifstream script(scriptPath);
    if (!script) {
        std::cerr << "cannot read " << scriptPath << "\n";
        return 2;
    }
    // A fault of the program itself (an exception out of its core) is not a
    // bad script line: it has its own message and exit status.
    const auto programFault = [&](int number, const std::exception& error) {
        std::cerr << scriptPath << ":" << number << ": program fault: " << error.what() << "\n";
        return 3;
    };
    Simulation simulation(folder, printState);
    bool resident = false;
    try {
        resident = simulation.start();
    } catch (const std::exception& error) {
        return programFault(0, error);
    }
    std::cout << "start\n";
    simulation.printEncodings(std::cout);
    simulation.print(std::cout);
    if (!resident) {
        std::cout << "start-up ends the program\n";
        return 1;
    }
    std::string line;
    int number = 0;
    while (std::getline(script, line)) {
        ++number;
        std::optional<sim::Step> step;
        try {
            step = sim::parseStep(line);
            if (!step) {
                continue;
            }
            simulation.run(*step);
            std::cout << step->verb << (step->text.empty() ? "" : " ") << toUtf8(step->text)
                      << "\n";
            simulation.print(std::cout);
        } catch (const ScriptError& error) {
            std::cerr << scriptPath << ":" << number << ": " << error.what() << "\n";
            return 2;
        } catch (const std::exception& error) {
            return programFault(number, error);
        }
        if (simulation.ended()) {
            std::cout << "the program has ended\n";
            break;
        }
    }
    return 0;
}
