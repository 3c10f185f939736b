"""The programs under test, by the names the test runner was given them."""
import os

_paths = {}


def set_path(name, path):
    _paths[name] = os.path.abspath(path)


def path(name):
    if name not in _paths:
        raise AssertionError("no program %r given to the test runner (--program %s=PATH)" % (name, name))
    return _paths[name]
