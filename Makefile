# Thin wrapper over CMake.  `make run` and `make test` are the two everyday commands.
BUILD      ?= build
EXAMPLE    ?= Tidewerk_28-03-2020
JOBS       ?= 2
TASK_FILE  := Tidewerk_28-03-2020.Tsk

.PHONY: build run test bench sanitize clean

build:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BUILD) -j $(JOBS)

# Runs the program on an example task file in a scratch folder, so the repository stays clean.
run: build
	@test -f examples/$(EXAMPLE).Tsk || { echo "no such example: examples/$(EXAMPLE).Tsk"; exit 2; }
	rm -rf $(BUILD)/run && mkdir -p $(BUILD)/run
	cp examples/$(EXAMPLE).Tsk $(BUILD)/run/$(TASK_FILE)
	cd $(BUILD)/run && ../tidewerk
	@echo "(report written to $(BUILD)/run/Tidewerk.Son)"

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

sanitize:
	cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DTIDEWERK_SANITIZE=ON
	cmake --build build-sanitize -j $(JOBS)
	cd build-sanitize && ctest --output-on-failure -j $(JOBS)

bench:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release -DTIDEWERK_BENCH=ON
	cmake --build $(BUILD) -j $(JOBS) --target tidewerk_bench
	$(BUILD)/tidewerk_bench

clean:
	rm -rf $(BUILD) build-sanitize
