"""Fixtures of the Python module's tests: copies of the example framework in temporary folders."""

import os
import shutil
from pathlib import Path

import pytest

EXAMPLE = Path(os.environ.get("L3XML_EXAMPLE_FRAMEWORK", Path(__file__).parents[2] / "examples" / "framework"))


def copy_example(target: Path) -> Path:
    """The example framework without working copies left by earlier runs."""
    shutil.copytree(EXAMPLE, target, ignore=lambda where, names: ["temp"] if Path(where) == EXAMPLE else [])
    return target


def snapshot(folder: Path) -> dict:
    """The framework's own files (working copies and the writers' lock file left out) and their contents."""
    return {
        path: path.read_bytes()
        for path in folder.rglob("*")
        if path.is_file() and "temp" not in path.relative_to(folder).parts and path.name != "l3xml.lock"
    }


@pytest.fixture
def system(tmp_path: Path) -> Path:
    return copy_example(tmp_path / "fw")


@pytest.fixture
def fw(system: Path):
    import l3xml

    return l3xml.Framework(system)
