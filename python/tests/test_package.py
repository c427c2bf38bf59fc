"""The l3xml package as shipped: type stubs that say what the module has, and the installed
module, which finds its library and documents its API."""

import ast
import os
import shutil
import subprocess
import sys
from pathlib import Path

import pytest

import l3xml
from l3xml import _l3xml

PACKAGE = Path(l3xml.__file__).parent


def stub_members(stub: Path) -> dict:
    """Each class of a stub file with the names it declares; None holds the module's names."""
    members: dict = {None: set()}
    for statement in ast.parse(stub.read_text()).body:
        if isinstance(statement, ast.ClassDef):
            members[statement.name] = {
                target.id if isinstance(node, ast.AnnAssign) else node.name
                for node in statement.body
                if isinstance(node, (ast.AnnAssign, ast.FunctionDef))
                for target in ([node.target] if isinstance(node, ast.AnnAssign) else [node])
            }
            members[None].add(statement.name)
        elif isinstance(statement, ast.ImportFrom):
            members[None].update(alias.asname for alias in statement.names if alias.asname)
        elif isinstance(statement, ast.AnnAssign):
            members[None].add(statement.target.id)
    return members


def public(names) -> set:
    return {name for name in names if not name.startswith("_")}


@pytest.mark.parametrize("stub, module", [("_l3xml.pyi", _l3xml), ("__init__.pyi", l3xml)])
def test_stubs_declare_what_the_module_has(stub, module):
    members = stub_members(PACKAGE / stub)
    exported = set(module.__all__) if hasattr(module, "__all__") else public(vars(module))
    assert public(members.pop(None)) == exported
    for name, declared in members.items():
        cls = getattr(module, name)
        if isinstance(cls, type) and issubclass(cls, BaseException):
            assert public(declared) <= public(dir(cls)) | {"diagnostics", "value", "diagnostic"}
            continue
        assert public(declared) == public(dir(cls)) - {"mro"}, name


def test_installed_module_finds_its_library_and_documents_its_api(tmp_path):
    build = os.environ.get("L3XML_BUILD_DIR")
    cmake = os.environ.get("L3XML_CMAKE") or shutil.which("cmake")
    if not build or not cmake:
        pytest.skip("needs the build folder and cmake")
    prefix = tmp_path / "prefix"
    for component in ("runtime", "python"):
        subprocess.run([cmake, "--install", build, "--prefix", prefix, "--component", component], check=True,
                       capture_output=True)
    environment = {k: v for k, v in os.environ.items() if k not in ("PYTHONPATH", "LD_LIBRARY_PATH")}
    environment["PYTHONPATH"] = str(prefix / os.environ.get("L3XML_PYTHON_INSTALL_DIR", "lib/python3/dist-packages"))
    script = (
        "import l3xml; help(l3xml); l3xml.Framework('.').templates(); "
        "print('file', l3xml.__file__); "
        "print(*[line.split()[-1] for line in open('/proc/self/maps') if 'libl3xml' in line][:1])"
    )
    shown = subprocess.run([sys.executable, "-c", script], cwd=tmp_path, env=environment, check=True,
                           capture_output=True, text=True, stdin=subprocess.DEVNULL).stdout
    assert f"file {prefix}" in shown
    assert shown.rstrip().splitlines()[-1].startswith(str(prefix / "lib"))  # through its RUNPATH
    for documented in (
        "one calling thread",
        "class Framework",
        "Framework(system: ",
        "load_campaign(self, pixit",
        "temporary_work(",
        "class Campaign",
        "__getitem__(self: l3xml.Campaign, name: str) -> l3xml.Parameter",
        "class Template",
        "flatten(self, campaign",
        "class Node",
        "class Diagnostic",
        "class NotFoundError(Error)",
        "class Changes",
    ):
        assert documented in shown, documented
