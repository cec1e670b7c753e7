# Thin wrapper over the scripts that README.md gives.
.PHONY: deps build run test bench format clean

deps:
	scripts/install-deps
build:
	scripts/build
run:
	scripts/run
test:
	scripts/test
bench:
	scripts/bench
format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')
clean:
	rm -rf build build-asan
