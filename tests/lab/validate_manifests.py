#!/usr/bin/env python3
"""Checks every manifest in a folder against resources/manifest.schema.json.

usage: validate_manifests.py SCHEMA FOLDER
The folder holds the manifests the core tests wrote (WEGATOR_MANIFEST_SAMPLES).
"""
import json
import pathlib
import sys

from jsonschema import Draft202012Validator


def main() -> int:
    schema = json.loads(pathlib.Path(sys.argv[1]).read_text(encoding="utf-8"))
    Draft202012Validator.check_schema(schema)
    validator = Draft202012Validator(schema)
    files = sorted(pathlib.Path(sys.argv[2]).glob("*.json"))
    if not files:
        print(f"no manifest in {sys.argv[2]}: the core tests wrote none", file=sys.stderr)
        return 1
    status = 0
    for file in files:
        for error in validator.iter_errors(json.loads(file.read_text(encoding="utf-8"))):
            print(f"{file.name}: {'/'.join(map(str, error.absolute_path))}: {error.message}", file=sys.stderr)
            status = 1
    if status == 0:
        print(f"{len(files)} manifests match the schema")
    return status


if __name__ == "__main__":
    sys.exit(main())
