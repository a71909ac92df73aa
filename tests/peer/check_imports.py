#!/usr/bin/python3
"""Imports exactly what the peer scripts import, and names the Debian package
that is missing when one of them fails.

check_imports.py [SCRIPT...]   (default: every other script in this folder)
Prints "ok" and exits 0, or one line per failed import and exits 1.
"""
import ast
import importlib
import pathlib
import sys

# Modules whose Debian package is not python3-<module>.
PACKAGE_OF_MODULE = {
    "serial": "python3-serial",
    "serial_asyncio": "python3-serial-asyncio",
    "pymodbus": "python3-pymodbus",
}


def package_of(module):
    top = module.split(".")[0]
    return PACKAGE_OF_MODULE.get(top, "python3-" + top.replace("_", "-"))


def imports_of(script):
    """(module, name or None) for every import statement of a script."""
    tree = ast.parse(script.read_text(), str(script))
    for node in ast.walk(tree):
        if isinstance(node, ast.Import):
            for alias in node.names:
                yield alias.name, None
        elif isinstance(node, ast.ImportFrom) and node.module and node.level == 0:
            for alias in node.names:
                yield node.module, alias.name


def check(script):
    failures = []
    for module, name in imports_of(script):
        try:
            loaded = importlib.import_module(module)
            if name is not None and name != "*" and not hasattr(loaded, name):
                importlib.import_module(module + "." + name)
        except ModuleNotFoundError as error:
            missing = error.name or module
            failures.append("%s: import of %s fails, module %s is missing: install the Debian package %s"
                            % (script.name, module, missing, package_of(missing)))
        except Exception as error:  # a broken installation, not a missing one
            failures.append("%s: import of %s fails: %s: %s" % (script.name, module, type(error).__name__, error))
    return failures


def main():
    here = pathlib.Path(__file__).resolve()
    scripts = [pathlib.Path(p) for p in sys.argv[1:]] or sorted(
        p for p in here.parent.glob("*.py") if p != here)
    failures = [line for script in scripts for line in check(script)]
    if failures:
        print("\n".join(failures))
        return 1
    print("ok")
    return 0


if __name__ == "__main__":
    sys.exit(main())
