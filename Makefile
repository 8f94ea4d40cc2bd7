# Thin wrapper over CMake.  `make run` and `make test` are the two everyday commands.
BUILD      ?= build
RUN_BUILD  ?= build-run
EXAMPLE    ?= case8_merchant_ship
ARGS       ?=
JOBS       ?= 2

.PHONY: deps build run test bench sanitize fuzz install format format-check clean

# Where `make install` puts the program, its manual page and the Tidewerk CMake package.
PREFIX     ?= /usr/local

# Seconds each fuzz target runs in `make fuzz`.
FUZZ_SECONDS ?= 20
FUZZ_TARGETS := task_file record_notation whole_run

# The example's name, given with or without its folder and .Tsk.
EXAMPLE_NAME := $(notdir $(patsubst %.Tsk,%,$(EXAMPLE)))

# Every C++ file clang-format checks.
FORMAT_FILES = $(shell find $(wildcard src include tests bench fuzz python) -type f \
                 \( -name '*.cpp' -o -name '*.h' \) | sort)

# Each target installs the packages it needs: the program alone for `make run`, the test
# suite's for `make build`, and so on (scripts/deps.sh).
deps:
	@scripts/deps.sh all

build:
	@scripts/deps.sh build
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BUILD) -j $(JOBS)

# Builds the program alone (no test suite, no GoogleTest) in $(RUN_BUILD)/ and runs it on an
# example task file, copied under its own name into a scratch folder so the repository stays
# clean; the report and the other outputs are named after the example, and the last line says
# where they went.
run:
	@scripts/deps.sh program
	@test -f examples/$(EXAMPLE_NAME).Tsk || { echo "no such example: $(EXAMPLE)"; \
	  echo "examples:"; ls examples | sed -n 's/^\(.*\)\.Tsk$$/  \1/p'; exit 2; }
	cmake -S . -B $(RUN_BUILD) -DCMAKE_BUILD_TYPE=Release -DTIDEWERK_TESTS=OFF
	cmake --build $(RUN_BUILD) -j $(JOBS) --target tidewerk
	@scripts/run_example.sh $(RUN_BUILD)/tidewerk $(RUN_BUILD)/run $(EXAMPLE_NAME) $(ARGS)

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

sanitize:
	@scripts/deps.sh build
	cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DTIDEWERK_SANITIZE=ON
	cmake --build build-sanitize -j $(JOBS)
	cd build-sanitize && ctest --output-on-failure -j $(JOBS)

bench:
	@scripts/deps.sh bench
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release -DTIDEWERK_BENCH=ON
	cmake --build $(BUILD) -j $(JOBS) --target tidewerk_bench tidewerk
	$(BUILD)/tidewerk_bench
	python3 bench/process_start.py $(BUILD)/tidewerk

# libFuzzer with AddressSanitizer and UndefinedBehaviorSanitizer, built with clang in build-fuzz/.
fuzz:
	./fuzz/setup
	CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	    -DTIDEWERK_FUZZ=ON -DTIDEWERK_SANITIZE=ON -DTIDEWERK_TESTS=OFF
	cmake --build build-fuzz -j $(JOBS)
	mkdir -p build-fuzz/corpus-task_file build-fuzz/corpus-record_notation build-fuzz/corpus-whole_run
	build-fuzz/fuzz_task_file -max_total_time=$(FUZZ_SECONDS) -timeout=10 -print_final_stats=1 -artifact_prefix=build-fuzz/ \
	    build-fuzz/corpus-task_file examples
	build-fuzz/fuzz_record_notation -max_total_time=$(FUZZ_SECONDS) -timeout=10 -print_final_stats=1 -artifact_prefix=build-fuzz/ \
	    build-fuzz/corpus-record_notation fuzz/seeds/record_notation
	build-fuzz/fuzz_whole_run -max_total_time=$(FUZZ_SECONDS) -timeout=20 -print_final_stats=1 -artifact_prefix=build-fuzz/ \
	    build-fuzz/corpus-whole_run examples

install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

# Fails when clang-format (.clang-format) would change any file; `make format` applies it.
format-check:
	@scripts/deps.sh format
	@echo "clang-format --dry-run -Werror: $(words $(FORMAT_FILES)) files"
	@clang-format --dry-run -Werror $(FORMAT_FILES)

format:
	@scripts/deps.sh format
	@echo "clang-format -i: $(words $(FORMAT_FILES)) files"
	@clang-format -i $(FORMAT_FILES)

clean:
	rm -rf $(BUILD) $(RUN_BUILD) build-sanitize build-fuzz
