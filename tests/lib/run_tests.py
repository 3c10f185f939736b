"""Runs the test cases of one end-to-end test file.

  python3 -m run_tests [--program NAME=PATH]... FILE [Class.test_name]...
  python3 -m run_tests --registered FILE [Class.test_name]...

with tests/lib on PYTHONPATH. Runs the cases named, or every case of FILE;
with --registered, runs nothing but fails unless the cases named are all
the cases of FILE (the names that CMake read from it).
The programs under test are given by name (see programs.py). A run fails
when a case fails, when none ran, and when one skipped: nothing here skips
for a reason of its own.
"""
import argparse
import importlib.util
import os
import sys
import unittest

import programs


def main(argv):
    parser = argparse.ArgumentParser(prog="run_tests")
    parser.add_argument("--program", action="append", default=[], metavar="NAME=PATH")
    parser.add_argument("--registered", action="store_true")
    parser.add_argument("file")
    parser.add_argument("names", nargs="*")
    args = parser.parse_args(argv)
    for given in args.program:
        name, _, path = given.partition("=")
        programs.set_path(name, path)
    name = os.path.splitext(os.path.basename(args.file))[0]
    found = importlib.util.spec_from_file_location(name, args.file)
    module = importlib.util.module_from_spec(found)
    sys.modules[name] = module
    found.loader.exec_module(module)
    loader = unittest.defaultTestLoader
    if args.registered:
        return check_registered(loader.loadTestsFromModule(module), name, args.names)
    if args.names:
        suite = loader.loadTestsFromNames(args.names, module)
    else:
        suite = loader.loadTestsFromModule(module)
    result = unittest.TextTestRunner(verbosity=2).run(suite)
    if result.testsRun == 0:
        print("no test ran")
        return 1
    if result.skipped:
        print("%d skipped: a skip fails here" % len(result.skipped))
        return 1
    return 0 if result.wasSuccessful() else 1


def case_names(suite, module_name):
    for test in suite:
        if isinstance(test, unittest.TestSuite):
            yield from case_names(test, module_name)
        else:
            yield test.id().removeprefix(module_name + ".")


def check_registered(suite, module_name, registered):
    cases = set(case_names(suite, module_name))
    missing, extra = sorted(cases - set(registered)), sorted(set(registered) - cases)
    for case in missing:
        print("not registered: " + case)
    for case in extra:
        print("registered but not a case: " + case)
    print("%d cases, %d registered" % (len(cases), len(registered)))
    return 1 if missing or extra else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
